#include "run_generation.h"

#include "source_steps.h"

#include <array>
#include <string>

namespace {

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

void tally(RunStatistics& statistics, const RecordClass& record, RecordAction action)
{
    if (record.marker) {
        ++statistics.markersKept;
    } else if (!record.category) {
        ++statistics.withoutCategory;
    } else {
        RunStatistics::Category& counts = statistics.categories[static_cast<std::size_t>(*record.category)];
        ++(action == RecordAction::Drop ? counts.dropped : counts.kept);
        if (action == RecordAction::WriteSinVel)
            ++counts.blanked;
    }
}

void copyRecords(PointFileKind kind, const RunOptions& options, LineReader& source, LineWriter& destination,
                 RunStatistics& statistics)
{
    const std::array<RecordAction, PointCategoryCount> actions = recordActions(kind, options);
    std::string line;
    std::string blanked;
    while (!source.atEnd()) {
        source.readLine(line);
        const RecordClass record = classifyRecord(kind, line);
        const RecordAction action = record.marker ? RecordAction::Write
            : record.category                     ? actions[static_cast<std::size_t>(*record.category)]
                                                  : RecordAction::Drop;
        tally(statistics, record, action);
        if (action == RecordAction::Write) {
            destination.writeLine(line);
        } else if (action == RecordAction::WriteSinVel) {
            SinVel(line, blanked);
            destination.writeLine(blanked);
        }
    }
}

} // namespace

RunOutcome RunGeneration(std::string_view sourceText, std::string_view destinationText, const RunOptions& options,
                         RunReporter& reporter, FileSystem& fileSystem, RunStatistics* statistics)
{
    const std::string sourceName = nameFromFieldText(sourceText);
    const std::string destinationName = nameFromFieldText(destinationText);

    const auto kind = sourceKind(sourceName, reporter);
    if (!kind)
        return RunOutcome::SourceNameRejected;
    if (!sameFamilyNames(sourceName, destinationName)) {
        reporter.showMessage(RunMessage::DestinationNameRejected);
        reporter.focusDestinationField();
        return RunOutcome::DestinationNameRejected;
    }

    LineReader source(fileSystem);
    source.open(sourceName);
    LineWriter destination(fileSystem);
    RunStatistics counted;
    // The header is checked before the destination is created, so that a
    // wrong source never costs the user an existing destination.
    const RunOutcome outcome = withCheckedHeader(*kind, source, &destination, reporter, [&](const std::string& header) {
        destination.create(destinationName);
        destination.writeLine(header);
        if (*kind == PointFileKind::Rumbelo)
            destination.writeLine(source.readLine());
        copyRecords(*kind, options, source, destination, counted);
    });

    if (outcome == RunOutcome::Completed) {
        if (statistics)
            *statistics = counted;
        reporter.showMessage(RunMessage::Completed);
    }
    return outcome;
}
