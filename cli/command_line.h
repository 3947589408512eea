#pragma once

#include "run_options.h"

#include <optional>
#include <string>
#include <vector>

struct CommandLine
{
    enum class Action
    {
        Run,
        Count,
        Help,
        Version,
    };

    Action action = Action::Run;
    RunOptions options;
    bool summary = false; // after a completed run, what became of the records
    std::string source;
    std::string destination; // empty for Count
};

// Reads the arguments after the program name; nullopt for a usage error.
std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& arguments);

// What a usage error prints, and what --help prints.
extern const char* const UsageText;
extern const char* const HelpText;
