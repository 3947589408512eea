// Runs a whole generation over fuzzed source bytes and options through the
// in-memory file system, with at most one failing system call, and checks
// what a run must keep whatever it is given.

#include "run_invariants.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    RunConditions conditions;
    conditions.kind = input.ConsumeBool() ? PointFileKind::Rumbelo : PointFileKind::Pitovan;
    RunOptions options;
    for (const PointCategory category : PointCategories)
        options.setKeeps(category, input.ConsumeBool());
    for (const PointCategory category : PointCategories)
        options.setKeepsSpeedWarning(category, input.ConsumeBool());
    conditions.readLimit = input.ConsumeIntegralInRange<std::size_t>(1, 300);
    conditions.transferSize = input.ConsumeBool() ? 1024 : 0;
    if (const int call = input.ConsumeIntegralInRange(0, 3)) {
        conditions.failingCall = static_cast<FakeFileSystem::Call>(call - 1);
        conditions.failingCallNumber = input.ConsumeIntegralInRange(1, 8);
    }
    conditions.destinationExisted = input.ConsumeBool();
    checkRunInvariants(input.ConsumeRemainingBytesAsString(), options, conditions);
    return 0;
}
