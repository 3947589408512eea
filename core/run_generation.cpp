#include "run_generation.h"

#include "source_steps.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace {

enum RecordAction
{
    Drop,
    Write,
    WriteSinVel,
    RecordActionCount,
};

using RecordActions = std::array<RecordAction, RecordClassCount>;

// The options read once, as one decision per record class, so that a record
// costs a table look-up rather than a chain of tests.
RecordActions runActions(PointFileKind kind, const RunOptions& options)
{
    RecordActions actions {};
    for (const PointCategory category : PointCategories) {
        RecordAction& action = actions[classOf(category)];
        if (!options.keeps(category))
            action = Drop;
        else if (kind == PointFileKind::Rumbelo || options.keepsSpeedWarning(category))
            action = Write;
        else
            action = WriteSinVel;
    }
    actions[MarkerClass] = Write;
    actions[NoCategoryClass] = Drop;
    return actions;
}

// A count writes nothing.
constexpr RecordActions CountActions = [] {
    RecordActions actions {};
    actions.fill(Drop);
    return actions;
}();

// Records counted by class, then by the action taken.
using ActionCounts = std::array<std::array<std::uint64_t, RecordActionCount>, RecordClassCount>;

RecordTally tallyOf(PointFileKind kind, const ActionCounts& counts)
{
    RecordTally tally {kind, {}};
    for (int i = 0; i < RecordClassCount; ++i) {
        const auto& byAction = counts[i];
        tally.classes[i] = {byAction[Write] + byAction[WriteSinVel], byAction[Drop], byAction[WriteSinVel]};
    }
    return tally;
}

// Reads the records to the end and does with each what its class's action
// says; the destination is needed only by actions that write. The actions come
// by value, so that the compiler knows no write of a line can change them.
RecordTally processRecords(PointFileKind kind, const RecordActions actions, LineReader& source, LineWriter* destination)
{
    ActionCounts counts {};
    std::array<char, SinVelMaximumSize> blanked;
    while (const std::optional<std::string_view> line = source.nextLine()) {
        const RecordClass recordClass = classifyRecord(kind, *line);
        const RecordAction action = actions[recordClass];
        ++counts[recordClass][action];
        if (action == Write)
            destination->writeLine(*line);
        else if (action == WriteSinVel)
            destination->writeLine(SinVel(*line, blanked));
    }
    return tallyOf(kind, counts);
}

} // namespace

RunOutcome RunGeneration(const std::string& sourceName, const std::string& destinationName, const RunOptions& options,
                         RunReporter& reporter, FileSystem& fileSystem, RecordTally* tally)
{
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
    RecordTally counted;
    // The header is checked before the destination is created, so that a
    // wrong source never costs the user an existing destination.
    const RunOutcome outcome = withCheckedHeader(*kind, source, &destination, reporter, [&](const std::string& header) {
        destination.create(destinationName);
        destination.writeLine(header);
        if (*kind == PointFileKind::Rumbelo)
            destination.writeLine(source.readLine());
        counted = processRecords(*kind, runActions(*kind, options), source, &destination);
    });

    if (outcome == RunOutcome::Completed) {
        if (tally)
            *tally = counted;
        reporter.showMessage(RunMessage::Completed);
    }
    return outcome;
}

RunOutcome countRecords(const std::string& sourceName, RecordTally& tally, RunReporter& reporter,
                        FileSystem& fileSystem)
{
    const auto kind = sourceKind(sourceName, reporter);
    if (!kind)
        return RunOutcome::SourceNameRejected;

    LineReader source(fileSystem);
    source.open(sourceName);
    RecordTally counted;
    const RunOutcome outcome = withCheckedHeader(*kind, source, nullptr, reporter, [&](const std::string&) {
        if (*kind == PointFileKind::Rumbelo)
            source.readLine();
        counted = processRecords(*kind, CountActions, source, nullptr);
    });
    if (outcome == RunOutcome::Completed)
        tally = counted;
    return outcome;
}
