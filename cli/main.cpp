#include "command_line.h"
#include "console_reporter.h"
#include "diagnostics.h"
#include "error_codes.h"
#include "in_out_error.h"
#include "record_report.h"
#include "run_generation.h"
#include "user_message.h"
#include "version.h"

#include <cerrno>
#include <csignal>
#include <cstdio>

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

int count(const CommandLine& commandLine)
{
    ConsoleReporter reporter;
    RecordTally tally;
    if (CountRecords(commandLine.source, tally, reporter) != RunOutcome::Completed) {
        printError(diagnosticText(reporter.consoleText()));
        return finish(Rejected);
    }
    std::fputs(countText(tally).c_str(), stdout);
    return finish(Completed);
}

int run(const CommandLine& commandLine)
{
    if (commandLine.speedGiven && kindOfName(commandLine.source) == PointFileKind::Rumbelo)
        printError(diagnosticText("aviso: --speed no tiene efecto en un fichero de Rumbelo"));
    ConsoleReporter reporter;
    RecordTally tally;
    if (RunGeneration(commandLine.source, commandLine.destination, commandLine.options, reporter, systemFileSystem(),
                      &tally)
        != RunOutcome::Completed) {
        printError(diagnosticText(reporter.consoleText()));
        return finish(Rejected);
    }
    if (!commandLine.quiet)
        std::fputs(reporter.consoleText().c_str(), stdout);
    if (commandLine.summary)
        std::fputs(summaryText(tally).c_str(), stdout);
    return finish(Completed);
}

int execute(const std::vector<std::string>& arguments)
{
    const auto parsed = parseCommandLine(arguments);
    if (const auto* error = std::get_if<CommandLineError>(&parsed)) {
        printError(usageErrorText(error->reason));
        return UsageError;
    }
    const CommandLine& commandLine = std::get<CommandLine>(parsed);
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
        break;
    }
    return run(commandLine);
}

} // namespace

int main(int argc, char* argv[])
{
    ignoreBrokenPipe();
    std::signal(SIGXFSZ, SIG_IGN); // past `ulimit -f` a write fails with its message, as a full disk does
    try {
        return execute({argv + 1, argv + argc});
    } catch (const EInOutError& error) {
        printFileFailure(error.message(), error.fileName());
    } catch (...) {
        printFileFailure(userMessage(std::current_exception()));
    }
    return FileFailure;
}
