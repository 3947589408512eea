#pragma once

#include "run_options.h"

#include <string>
#include <variant>
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
    bool speedGiven = false; // --speed appeared: worth a word when the source is Rumbelo
    bool summary = false; // after a completed run, what became of the records
    bool quiet = false; // no completion message
    std::string source;
    std::string destination; // empty for Count
};

// What was wrong with the arguments, in a few words for the user.
struct CommandLineError
{
    std::string reason;
};

// Reads the arguments after the program name. --help and --version act as soon
// as they are met, so whatever follows them is not looked at.
std::variant<CommandLine, CommandLineError> parseCommandLine(const std::vector<std::string>& arguments);

extern const char* const HelpText;
// The last line of a usage error.
extern const char* const TryHelpLine;
