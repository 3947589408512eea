#include "command_line.h"
#include "console_reporter.h"
#include "error_codes.h"
#include "exception.h"
#include "full_stop.h"
#include "in_out_error.h"
#include "record_report.h"
#include "run_generation.h"
#include "source_steps.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

enum ExitStatus
{
    Completed = 0,
    Rejected = 1,
    UsageError = 2,
    FileFailure = 3,
};

constexpr const char* ProgramName = "cribaxon-filter";

// A broken pipe must come back as a write failure, not kill the program.
void ignoreBrokenPipe()
{
    std::signal(SIGPIPE, SIG_IGN);
}

int finish(int status)
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "%s: %s\n", ProgramName,
                     withFullStop(EInOutError::messageFor(codeForErrno(errno))).c_str());
        return FileFailure;
    }
    return status;
}

} // namespace

int main(int argc, char* argv[])
{
    ignoreBrokenPipe();
    std::signal(SIGXFSZ, SIG_IGN); // past `ulimit -f` a write fails with its message, as a full disk does
    const auto commandLine = parseCommandLine({argv + 1, argv + argc});
    if (!commandLine) {
        std::fputs(UsageText, stderr);
        return UsageError;
    }
    switch (commandLine->action) {
    case CommandLine::Action::Help:
        std::fputs(HelpText, stdout);
        return finish(Completed);
    case CommandLine::Action::Version:
        std::printf("%s %s\n", ProgramName, CRIBAXON_VERSION);
        return finish(Completed);
    case CommandLine::Action::Run:
    case CommandLine::Action::Count:
        break;
    }

    ConsoleReporter reporter;
    try {
        // Once a run or a count has got past the name check, the name has a family.
        const auto kind = [&] {
            return *kindOfName(nameFromFieldText(commandLine->source));
        };
        if (commandLine->action == CommandLine::Action::Count) {
            RecordCounts counts;
            if (CountRecords(commandLine->source, counts, reporter) != RunOutcome::Completed) {
                std::fputs(reporter.consoleText().c_str(), stderr);
                return finish(Rejected);
            }
            std::fputs(countText(counts, kind()).c_str(), stdout);
            return finish(Completed);
        }
        RunStatistics statistics;
        const RunOutcome outcome = RunGeneration(commandLine->source, commandLine->destination, commandLine->options,
                                                 reporter, systemFileSystem(), &statistics);
        const bool completed = outcome == RunOutcome::Completed;
        std::fputs(reporter.consoleText().c_str(), completed ? stdout : stderr);
        if (completed && commandLine->summary)
            std::fputs(summaryText(statistics, kind()).c_str(), stdout);
        return finish(completed ? Completed : Rejected);
    } catch (const EInOutError& error) {
        std::fprintf(stderr, "%s: %s\n", ProgramName, withFullStop(error.message()).c_str());
        return FileFailure;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s: %s\n", ProgramName, withFullStop(OutOfMemoryMessage).c_str());
        return FileFailure;
    }
}
