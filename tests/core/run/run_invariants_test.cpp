#include "line_model.h"
#include "run_invariants.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// Bytes that a run mostly reads past the header: a right, wrong or no header,
// then records whose columns 15-16 hold type digits and codes of both
// families, some cut short, some Rumbelo markers, among line ends of every
// kind and the odd end mark.
std::string seededSource(std::mt19937& random)
{
    const auto below = [&](std::size_t n) {
        return static_cast<std::size_t>(random() % n);
    };
    const auto any = [&](std::string_view from) {
        return from[below(from.size())];
    };
    std::string bytes = below(8) ? (below(2) ? "574C" : "4348") : "";
    for (std::size_t lines = below(12); lines > 0; --lines) {
        bytes += below(10) ? std::string("\r\n") : std::string(1, any("\r\n\x1a"));
        std::string record(14, below(4) ? '1' : 'F');
        record += any("0009");
        record += any("0123456789ABCDEFd");
        record += std::string(below(3), 'x');
        bytes += record.substr(0, below(4) ? record.size() : below(record.size()));
    }
    return bytes;
}

// The run fuzzer's invariants, in every test run: a few thousand seeded inputs.
TEST(RunInvariants, HoldOverSeededInputs)
{
    std::mt19937 random(20261208);
    for (int input = 0; input < 3000; ++input) {
        RunOptions options;
        for (const PointCategory category : PointCategories) {
            options.setKeeps(category, random() % 2);
            options.setKeepsSpeedWarning(category, random() % 2);
        }
        RunConditions conditions;
        conditions.kind = random() % 2 ? PointFileKind::Rumbelo : PointFileKind::Pitovan;
        conditions.readLimit = 1 + random() % 300;
        conditions.transferSize = random() % 2 ? 1024 : 0;
        if (const int call = static_cast<int>(random() % 4)) {
            conditions.failingCall = static_cast<FakeFileSystem::Call>(call - 1);
            conditions.failingCallNumber = 1 + static_cast<int>(random() % 8);
        }
        conditions.destinationExisted = random() % 2;
        const std::string bytes = seededSource(random);
        try {
            checkRunInvariants(bytes, options, conditions);
        } catch (const BrokenInvariant& broken) {
            FAIL() << broken.what() << ", input " << input << ": " << testing::PrintToString(bytes);
        }
    }
}

} // namespace
