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
        Help,
        Version,
    };

    Action action = Action::Run;
    RunOptions options;
    std::string source;
    std::string destination;
};

// Reads the arguments after the program name; nullopt for a usage error.
std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& arguments);

// What a usage error prints, and what --help prints.
extern const char* const UsageText;
extern const char* const HelpText;
