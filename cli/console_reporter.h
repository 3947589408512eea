#pragma once

#include "run_reporter.h"

#include <string>

// Collects the run's message; the shell has no fields to focus.
class ConsoleReporter final : public RunReporter
{
public:
    void showMessage(std::string_view text) override { m_message = text; }
    void focusSourceField() override { }
    void focusDestinationField() override { }

    // The message as lines of the shell: each carriage return a newline, and a final one.
    std::string consoleText() const;

private:
    std::string m_message;
};
