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

// The options read once, as one decision per record class, so that a record
// costs a table look-up rather than a chain of tests.
std::array<RecordAction, RecordClassCount> recordActions(PointFileKind kind, const RunOptions& options)
{
    std::array<RecordAction, RecordClassCount> actions {};
    for (int i = 0; i < PointCategoryCount; ++i) {
        const auto category = static_cast<PointCategory>(i);
        if (!options.keeps(category))
            actions[i] = Drop;
        else if (kind == PointFileKind::Rumbelo || options.keepsSpeedWarning(category))
            actions[i] = Write;
        else
            actions[i] = WriteSinVel;
    }
    actions[MarkerClass] = Write;
    actions[NoCategoryClass] = Drop;
    return actions;
}

using Tallies = std::array<std::array<std::uint64_t, RecordActionCount>, RecordClassCount>;

RunStatistics statisticsOf(const Tallies& tallies)
{
    RunStatistics statistics;
    for (int i = 0; i < PointCategoryCount; ++i) {
        const auto& byAction = tallies[i];
        statistics.categories[i] = {byAction[Write] + byAction[WriteSinVel], byAction[Drop], byAction[WriteSinVel]};
    }
    statistics.markersKept = tallies[MarkerClass][Write];
    statistics.withoutCategory = tallies[NoCategoryClass][Drop];
    return statistics;
}

RunStatistics copyRecords(PointFileKind kind, const RunOptions& options, LineReader& source, LineWriter& destination)
{
    const std::array<RecordAction, RecordClassCount> actions = recordActions(kind, options);
    Tallies tallies {};
    std::array<char, SinVelMaximumSize> blanked;
    while (const std::optional<std::string_view> line = source.nextLine()) {
        const int recordClass = recordClassNumber(kind, *line);
        const RecordAction action = actions[recordClass];
        ++tallies[recordClass][action];
        if (action == Write)
            destination.writeLine(*line);
        else if (action == WriteSinVel)
            destination.writeLine(SinVel(*line, blanked));
    }
    return statisticsOf(tallies);
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
        counted = copyRecords(*kind, options, source, destination);
    });

    if (outcome == RunOutcome::Completed) {
        if (statistics)
            *statistics = counted;
        reporter.showMessage(RunMessage::Completed);
    }
    return outcome;
}
