#include "command_line.h"
#include "console_reporter.h"
#include "diagnostics.h"
#include "error_codes.h"
#include "exception.h"
#include "in_out_error.h"
#include "record_report.h"
#include "run_generation.h"
#include "source_steps.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <new>

namespace {

enum ExitStatus
{
    Completed = 0,
    Rejected = 1,
    UsageError = 2,
    FileFailure = 3,
};

// A broken pipe must come back as a write failure, not kill the program.
void ignoreBrokenPipe()
{
    std::signal(SIGPIPE, SIG_IGN);
}

void printError(const std::string& text)
{
    std::fputs(text.c_str(), stderr);
}

void printFileFailure(std::string_view message, std::string_view fileName = {})
{
    printError(fileFailureText(message, fileName));
}

int finish(int status)
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        printFileFailure(EInOutError::messageFor(codeForErrno(errno)));
        return FileFailure;
    }
    return status;
}

// Once a run or a count has got past the name check, the name has a family.
PointFileKind kindOfSource(const CommandLine& commandLine)
{
    return *kindOfName(nameFromFieldText(commandLine.source));
}

int count(const CommandLine& commandLine)
{
    ConsoleReporter reporter;
    RecordCounts counts;
    if (CountRecords(commandLine.source, counts, reporter) != RunOutcome::Completed) {
        printError(diagnosticText(reporter.consoleText()));
        return finish(Rejected);
    }
    std::fputs(countText(counts, kindOfSource(commandLine)).c_str(), stdout);
    return finish(Completed);
}

int run(const CommandLine& commandLine)
{
    if (commandLine.speedGiven && kindOfName(nameFromFieldText(commandLine.source)) == PointFileKind::Rumbelo)
        printError(diagnosticText("aviso: --speed no tiene efecto en un fichero de Rumbelo"));
    ConsoleReporter reporter;
    RunStatistics statistics;
    if (RunGeneration(commandLine.source, commandLine.destination, commandLine.options, reporter, systemFileSystem(),
                      &statistics)
        != RunOutcome::Completed) {
        printError(diagnosticText(reporter.consoleText()));
        return finish(Rejected);
    }
    if (!commandLine.quiet)
        std::fputs(reporter.consoleText().c_str(), stdout);
    if (commandLine.summary)
        std::fputs(summaryText(statistics, kindOfSource(commandLine)).c_str(), stdout);
    return finish(Completed);
}

} // namespace

int main(int argc, char* argv[])
{
    ignoreBrokenPipe();
    std::signal(SIGXFSZ, SIG_IGN); // past `ulimit -f` a write fails with its message, as a full disk does
    const auto parsed = parseCommandLine({argv + 1, argv + argc});
    if (const auto* error = std::get_if<CommandLineError>(&parsed)) {
        printError(usageErrorText(error->reason));
        return UsageError;
    }
    const CommandLine& commandLine = std::get<CommandLine>(parsed);
    try {
        switch (commandLine.action) {
        case CommandLine::Action::Help:
            std::fputs(HelpText, stdout);
            return finish(Completed);
        case CommandLine::Action::Version:
            std::printf("%.*s %s\n", static_cast<int>(ProgramName.size()), ProgramName.data(), CRIBAXON_VERSION);
            return finish(Completed);
        case CommandLine::Action::Count:
            return count(commandLine);
        case CommandLine::Action::Run:
            return run(commandLine);
        }
    } catch (const EInOutError& error) {
        printFileFailure(error.message(), error.fileName());
    } catch (const std::bad_alloc&) {
        printFileFailure(OutOfMemoryMessage);
    }
    return FileFailure;
}
