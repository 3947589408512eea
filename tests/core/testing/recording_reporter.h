#pragma once

#include "run_reporter.h"

#include <string>
#include <string_view>
#include <vector>

// Keeps what a run tells, in order: each message, and each move of the focus.
class RecordingReporter final : public RunReporter
{
public:
    std::vector<std::string> events;

    void showMessage(std::string_view text) override { events.emplace_back(text); }
    void focusSourceField() override { events.emplace_back("focus source"); }
    void focusDestinationField() override { events.emplace_back("focus destination"); }
};
