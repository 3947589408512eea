#include "fault_run.h"

#include "category_table.h"
#include "in_out_error.h"
#include "recording_reporter.h"
#include "run_generation.h"
#include "run_options.h"

std::string severalTransfersSource(std::size_t chunk)
{
    std::string bytes = "574C0003\r\n";
    for (int i = 0; bytes.size() < 5 * chunk; ++i)
        bytes += "-0370379+40416" + std::to_string(i % 10) + std::to_string(1 + i % 7) + "0500120\r\n";
    return bytes;
}

FaultRunOutcome runCaught(const TemporaryFolder& folder, FileSystem& files)
{
    RunOptions options;
    for (const PointCategory category : PointCategories) {
        options.setKeeps(category, true);
        options.setKeepsSpeedWarning(category, category != PointCategory::RF);
    }
    RecordingReporter reporter;
    FaultRunOutcome outcome;
    try {
        RunGeneration(folder.path("in.mdb"), folder.path("out.mdb"), options, reporter, files);
    } catch (const EInOutError& error) {
        outcome = {error.code(), error.message(), error.fileName(), {}};
    }
    outcome.reported = reporter.events;
    return outcome;
}
