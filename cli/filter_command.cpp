#include "filter_command.h"

#include "command_line.h"
#include "console_reporter.h"
#include "diagnostics.h"
#include "in_out_error.h"
#include "record_report.h"
#include "run_generation.h"
#include "user_message.h"
#include "version.h"

namespace {

class FilterCommand
{
public:
    FilterCommand(FileSystem& fileSystem, TextOutput& out, TextOutput& err)
        : m_fileSystem(fileSystem)
        , m_out(out)
        , m_err(err)
    { }

    int execute(const std::vector<std::string>& arguments);

private:
    int count(const CommandLine& commandLine);
    int run(const CommandLine& commandLine);
    // The status, unless what was written to out cannot reach it.
    int finish(int status);
    void print(const std::string& text) { m_out.write(text); }
    void printError(const std::string& text) { m_err.write(text); }

    FileSystem& m_fileSystem;
    TextOutput& m_out;
    TextOutput& m_err;
};

int FilterCommand::finish(int status)
{
    if (const std::int32_t error = m_out.finish()) {
        printError(fileFailureText(EInOutError::messageFor(error)));
        return ExitStatus::FileFailure;
    }
    return status;
}

int FilterCommand::count(const CommandLine& commandLine)
{
    ConsoleReporter reporter;
    RecordTally tally;
    if (countRecords(commandLine.source, tally, reporter, m_fileSystem) != RunOutcome::Completed) {
        printError(diagnosticText(reporter.consoleText()));
        return finish(ExitStatus::Rejected);
    }
    print(countText(tally));
    return finish(ExitStatus::Completed);
}

int FilterCommand::run(const CommandLine& commandLine)
{
    if (commandLine.speedGiven && kindOfName(commandLine.source) == PointFileKind::Rumbelo)
        printError(diagnosticText("aviso: --speed no tiene efecto en un fichero de Rumbelo"));
    ConsoleReporter reporter;
    RecordTally tally;
    if (RunGeneration(commandLine.source, commandLine.destination, commandLine.options, reporter, m_fileSystem, &tally)
        != RunOutcome::Completed) {
        printError(diagnosticText(reporter.consoleText()));
        return finish(ExitStatus::Rejected);
    }
    if (!commandLine.quiet)
        print(reporter.consoleText());
    if (commandLine.summary)
        print(summaryText(tally));
    return finish(ExitStatus::Completed);
}

int FilterCommand::execute(const std::vector<std::string>& arguments)
{
    const auto parsed = parseCommandLine(arguments);
    if (const auto* error = std::get_if<CommandLineError>(&parsed)) {
        printError(usageErrorText(error->reason));
        return ExitStatus::UsageError;
    }
    const CommandLine& commandLine = std::get<CommandLine>(parsed);
    switch (commandLine.action) {
    case CommandLine::Action::Help:
        print(HelpText);
        return finish(ExitStatus::Completed);
    case CommandLine::Action::Version:
        print(std::string(ProgramName) + " " CRIBAXON_VERSION "\n");
        return finish(ExitStatus::Completed);
    case CommandLine::Action::Count:
        return count(commandLine);
    case CommandLine::Action::Run:
        break;
    }
    return run(commandLine);
}

} // namespace

int runFilterCommand(const std::vector<std::string>& arguments, FileSystem& fileSystem, TextOutput& out,
                     TextOutput& err)
{
    FilterCommand command(fileSystem, out, err);
    try {
        return command.execute(arguments);
    } catch (const EInOutError& error) {
        err.write(fileFailureText(error.message(), error.fileName()));
    } catch (...) {
        err.write(fileFailureText(userMessage(std::current_exception())));
    }
    return ExitStatus::FileFailure;
}
