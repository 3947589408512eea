#include "run_generation.h"

#include "line_reader.h"
#include "line_writer.h"

#include <algorithm>
#include <exception>
#include <string>

namespace {

std::string withoutQuotes(std::string_view text)
{
    std::string name(text);
    std::erase(name, '"');
    return name;
}

void copyRecords(PointFileKind kind, const RunOptions& options, LineReader& source, LineWriter& destination)
{
    std::string line;
    while (!source.atEnd()) {
        source.readLine(line);
        if (kind == PointFileKind::Pitovan) {
            const auto category = pitovanCategory(line);
            if (category && options.keeps(*category))
                destination.writeLine(options.keepsSpeedWarning(*category) ? line : SinVel(line));
        } else {
            const RumbeloRecordClass record = classifyRumbeloRecord(line);
            if (record.marker || (record.category && options.keeps(*record.category)))
                destination.writeLine(line);
        }
    }
}

// Closes the source, then the destination if it was created; the first
// failure, of the run or of a close, is the one that leaves.
void closeBoth(LineReader& source, LineWriter& destination, std::exception_ptr failure)
{
    try {
        source.close();
    } catch (...) {
        if (!failure)
            failure = std::current_exception();
    }
    if (destination.isOpen()) {
        try {
            destination.close();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace

RunOutcome RunGeneration(std::string_view sourceText, std::string_view destinationText, const RunOptions& options,
                         RunReporter& reporter, FileSystem& fileSystem)
{
    const std::string sourceName = withoutQuotes(sourceText);
    const std::string destinationName = withoutQuotes(destinationText);

    const auto kind = kindOfName(sourceName);
    if (!kind) {
        reporter.showMessage(RunMessage::SourceNameRejected);
        reporter.focusSourceField();
        return RunOutcome::SourceNameRejected;
    }
    if (!sameFamilyNames(sourceName, destinationName)) {
        reporter.showMessage(RunMessage::DestinationNameRejected);
        reporter.focusDestinationField();
        return RunOutcome::DestinationNameRejected;
    }

    LineReader source(fileSystem);
    source.open(sourceName);
    LineWriter destination(fileSystem);
    RunOutcome outcome = RunOutcome::Completed;
    std::exception_ptr failure;
    try {
        std::string line;
        source.readLine(line);
        // The header is checked before the destination is created, so that a
        // wrong source never costs the user an existing destination.
        if (!headerAccepted(*kind, line)) {
            reporter.showMessage(*kind == PointFileKind::Pitovan ? RunMessage::PitovanHeaderRejected
                                                                 : RunMessage::RumbeloHeaderRejected);
            outcome = RunOutcome::HeaderRejected;
        } else {
            destination.create(destinationName);
            destination.writeLine(line);
            if (*kind == PointFileKind::Rumbelo) {
                source.readLine(line);
                destination.writeLine(line);
            }
            copyRecords(*kind, options, source, destination);
        }
    } catch (...) {
        failure = std::current_exception();
    }
    closeBoth(source, destination, failure);

    if (outcome == RunOutcome::Completed)
        reporter.showMessage(RunMessage::Completed);
    return outcome;
}
