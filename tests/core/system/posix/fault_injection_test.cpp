#include "fault_run.h"
#include "faulty_calls.h"
#include "in_out_error.h"
#include "posix_file_system.h"
#include "recording_reporter.h"
#include "run_generation.h"
#include "temporary_folder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <set>

using FaultyCalls::Call;

namespace {

// Small sizes, so that a small source makes every kind of call: several chunks
// read and written, and write-backs started before the end.
constexpr TransferSizes Sizes {.chunk = 4096, .writeBackStep = 3 * 4096};

std::string source()
{
    return severalTransfersSource(Sizes.chunk);
}

using Outcome = FaultRunOutcome;

Outcome run(const TemporaryFolder& folder)
{
    PosixFileSystem files(FaultyCalls::calls(), Sizes);
    return runCaught(folder, files);
}

struct FaultCase
{
    const char* name;
    int error;
    std::int32_t code; // 0: the run completes all the same
    const char* message;
    bool olderDestination;
};

class RunUnderFault : public testing::TestWithParam<FaultCase>
{
};

// Every system call of a run fails in turn. The run ends with the failure's
// code and message, naming the file it concerns, and no completion message;
// both files are closed; the source stays byte for byte; the destination is as
// it was until it is emptied, then holds a beginning of the output (the whole
// of it once every write is done).
TEST_P(RunUnderFault, EveryCallFailingInTurnEndsTheRunAsItShould)
{
    const FaultCase& row = GetParam();
    const std::string input = source();
    const std::string older = "an older destination";
    const auto prepare = [&](const TemporaryFolder& folder) {
        folder.write("in.mdb", input);
        if (row.olderDestination)
            folder.write("out.mdb", older);
    };

    FaultyCalls::reset();
    const TemporaryFolder clean;
    prepare(clean);
    ASSERT_EQ(run(clean).code, 0);
    const std::vector<FaultyCalls::Made> trace = FaultyCalls::made;
    using Step = std::pair<Call, std::string>;
    const auto stepOf = [](const FaultyCalls::Made& call) {
        return Step {call.call, call.file};
    };
    const std::string output = clean.read("out.mdb");
    const std::string in = clean.path("in.mdb");
    const std::string out = clean.path("out.mdb");
    const auto isDestination = [&](const FaultyCalls::Made& call) {
        return call.file == out;
    };
    const auto emptied = std::ranges::find_if(trace, [&](const FaultyCalls::Made& call) {
        return isDestination(call) && call.call == (row.olderDestination ? Call::Ftruncate : Call::Open);
    });
    const auto lastWrite = std::ranges::find(trace.rbegin(), trace.rend(), Call::Write, &FaultyCalls::Made::call);
    const auto destinationOpened = std::ranges::find(trace, Step {Call::Open, out}, stepOf);
    const auto destinationLocked = std::ranges::find(trace, Step {Call::Flock, out}, stepOf);
    ASSERT_NE(emptied, trace.end());
    ASSERT_NE(lastWrite, trace.rend());
    // Every call goes through the seam, in this order: the source opened,
    // asked about, held against the streams, locked and its header read; the
    // destination opened and asked about; an older one held against the source
    // and the streams and emptied; the records copied; the source closed; the
    // destination's rest written, flushed to its device, and closed.
    const auto factsOf = [](const std::string& file) {
        return std::vector<Step> {{Call::Fstatfs, file}, {Call::Statx, file}};
    };
    std::vector<Step> opening {{Call::Open, in}};
    for (const std::string& file : {in, std::string("fd 1"), std::string("fd 2")})
        std::ranges::copy(factsOf(file), std::back_inserter(opening));
    opening.insert(opening.end(), {{Call::Flock, in}, {Call::Read, in}, {Call::Open, out}});
    if (row.olderDestination)
        opening.push_back({Call::Open, out});
    opening.push_back({Call::Fstat, out});
    std::ranges::copy(factsOf(out), std::back_inserter(opening));
    if (row.olderDestination) {
        for (const std::string& file : {in, std::string("fd 1"), std::string("fd 2")})
            std::ranges::copy(factsOf(file), std::back_inserter(opening));
    }
    opening.push_back({Call::Flock, out});
    if (row.olderDestination)
        opening.push_back({Call::Ftruncate, out});
    const std::vector<Step> closing {{Call::Close, in}, {Call::Write, out}, {Call::Fdatasync, out}, {Call::Close, out}};
    std::vector<Step> steps;
    for (const FaultyCalls::Made& call : trace)
        steps.emplace_back(call.call, call.file);
    ASSERT_GT(steps.size(), opening.size() + closing.size());
    const auto middle = steps.begin() + static_cast<std::ptrdiff_t>(opening.size());
    const auto end = steps.end() - static_cast<std::ptrdiff_t>(closing.size());
    EXPECT_EQ(std::vector<Step>(steps.begin(), middle), opening);
    EXPECT_EQ(std::vector<Step>(end, steps.end()), closing);
    const std::set<Step> copying {{Call::Read, in}, {Call::Write, out}, {Call::SyncFileRange, out}};
    std::vector<Step> strayCopySteps;
    std::copy_if(middle, end, std::back_inserter(strayCopySteps),
                 [&](const Step& step) { return !copying.contains(step); });
    EXPECT_EQ(strayCopySteps, std::vector<Step> {});
    EXPECT_GT(std::ranges::count(steps, Step {Call::SyncFileRange, out}), 0);

    for (std::size_t position = 1; position <= trace.size(); ++position) {
        const FaultyCalls::Made& failing = trace[position - 1];
        SCOPED_TRACE(testing::Message() << "call " << position << " of " << trace.size() << " on " << failing.file);
        const auto at = trace.begin() + static_cast<std::ptrdiff_t>(position - 1);
        const bool standardStream = failing.file.starts_with("fd ");
        // A stream that cannot be asked about is not the destination; a file whose file system
        // cannot be asked about is taken for no FUSE file; a request is no failure.
        const bool noFailure = standardStream || failing.call == Call::SyncFileRange || failing.call == Call::Fstatfs;
        const std::int32_t code = noFailure ? 0 : row.code;

        FaultyCalls::reset();
        FaultyCalls::plan = {.failAt = static_cast<int>(position), .error = row.error};
        const TemporaryFolder folder;
        prepare(folder);
        const Outcome outcome = run(folder);

        EXPECT_EQ(outcome.code, code);
        EXPECT_EQ(FaultyCalls::openDescriptors(), 0);
        EXPECT_EQ(folder.read("in.mdb"), input);
        const std::string destination = folder.read("out.mdb");
        if (!code) {
            EXPECT_EQ(outcome.reported, std::vector<std::string> {std::string(RunMessage::Completed)});
            EXPECT_EQ(destination, output);
            continue;
        }
        EXPECT_EQ(outcome.message, row.message);
        // Asking about the source while the destination is opened is the destination's failure.
        const bool opening = at > destinationOpened && at <= destinationLocked;
        EXPECT_EQ(outcome.fileName, folder.path(isDestination(failing) || opening ? "out.mdb" : "in.mdb"));
        EXPECT_EQ(outcome.reported, std::vector<std::string> {});
        if (at <= emptied) {
            EXPECT_EQ(std::filesystem::exists(folder.path("out.mdb")), row.olderDestination);
            EXPECT_EQ(destination, row.olderDestination ? older : "");
        } else if (failing.call == Call::Write) {
            std::size_t written = 0;
            for (auto call = trace.begin(); call != at; ++call)
                written += call->bytes;
            EXPECT_EQ(destination.substr(0, written), output.substr(0, written));
            EXPECT_LT(destination.size(), output.size());
        } else {
            EXPECT_EQ(destination, at > lastWrite.base() - 1 ? output : output.substr(0, destination.size()));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(, RunUnderFault,
                         testing::Values(FaultCase {"DeviceError", EIO, 1117, "Error de E/S 1117", false},
                                         FaultCase {"AccessDeniedOverAnOlderDestination", EACCES, 5,
                                                    "Acceso al archivo denegado", true},
                                         FaultCase {"Interrupted", EINTR, 0, "", false},
                                         FaultCase {"InterruptedOverAnOlderDestination", EINTR, 0, "", true}),
                         [](const auto& info) { return info.param.name; });

} // namespace
