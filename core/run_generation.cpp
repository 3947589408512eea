#include "run_generation.h"

#include "line_reader.h"
#include "line_writer.h"

#include <algorithm>
#include <array>
#include <exception>
#include <string>

namespace {

std::string withoutQuotes(std::string_view text)
{
    std::string name(text);
    std::erase(name, '"');
    return name;
}

enum class RecordAction
{
    Drop,
    Write,
    WriteSinVel,
};

// The options read once, as one decision per category, so that a record costs
// one table look-up instead of two calls.
std::array<RecordAction, PointCategoryCount> recordActions(PointFileKind kind, const RunOptions& options)
{
    std::array<RecordAction, PointCategoryCount> actions {};
    for (std::size_t i = 0; i < actions.size(); ++i) {
        const auto category = static_cast<PointCategory>(i);
        if (!options.keeps(category))
            actions[i] = RecordAction::Drop;
        else if (kind == PointFileKind::Rumbelo || options.keepsSpeedWarning(category))
            actions[i] = RecordAction::Write;
        else
            actions[i] = RecordAction::WriteSinVel;
    }
    return actions;
}

void copyRecords(PointFileKind kind, const RunOptions& options, LineReader& source, LineWriter& destination)
{
    const std::array<RecordAction, PointCategoryCount> actions = recordActions(kind, options);
    const auto actionOf = [&](std::optional<PointCategory> category) {
        return category ? actions[static_cast<std::size_t>(*category)] : RecordAction::Drop;
    };
    std::string line;
    std::string blanked;
    while (!source.atEnd()) {
        source.readLine(line);
        RecordAction action;
        if (kind == PointFileKind::Pitovan) {
            action = actionOf(pitovanCategory(line));
        } else {
            const RumbeloRecordClass record = classifyRumbeloRecord(line);
            action = record.marker ? RecordAction::Write : actionOf(record.category);
        }
        if (action == RecordAction::Write)
            destination.writeLine(line);
        else if (action == RecordAction::WriteSinVel) {
            SinVel(line, blanked);
            destination.writeLine(blanked);
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
