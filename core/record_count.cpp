#include "run_generation.h"
#include "source_steps.h"

RunOutcome CountRecords(std::string_view sourceText, RecordCounts& counts, RunReporter& reporter,
                        FileSystem& fileSystem)
{
    const std::string sourceName = nameFromFieldText(sourceText);
    const auto kind = sourceKind(sourceName, reporter);
    if (!kind)
        return RunOutcome::SourceNameRejected;

    LineReader source(fileSystem);
    source.open(sourceName);
    RecordCounts counted;
    const RunOutcome outcome = withCheckedHeader(*kind, source, nullptr, reporter, [&](const std::string&) {
        if (*kind == PointFileKind::Rumbelo)
            source.readLine();
        while (const auto line = source.nextLine()) {
            const RecordClass record = classifyRecord(*kind, *line);
            if (record.marker)
                ++counted.markers;
            else if (record.category)
                ++counted.categories[static_cast<std::size_t>(*record.category)];
            else
                ++counted.withoutCategory;
        }
    });
    if (outcome == RunOutcome::Completed)
        counts = counted;
    return outcome;
}
