#include "run_generation.h"

#include "source_steps.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string_view>

namespace {

enum RecordAction
{
    Drop,
    Write,
    WriteSinVel,
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

// Records counted by class: a class's records all get the class's action.
using ClassCounts = std::array<std::uint64_t, RecordClassCount>;

RecordTally tallyOf(PointFileKind kind, const RecordActions& actions, const ClassCounts& counts)
{
    RecordTally tally {kind, {}};
    for (int i = 0; i < RecordClassCount; ++i) {
        const std::uint64_t count = counts[i];
        tally.classes[i]
            = {actions[i] == Drop ? 0 : count, actions[i] == Drop ? count : 0, actions[i] == WriteSinVel ? count : 0};
    }
    return tally;
}

// What a record becomes in the block, by class, as numbers rather than
// branches: the actions of successive records follow no pattern that a branch
// predictor could learn. Each record's first CopiedAtOnce bytes are copied
// into the block whatever its action; then column 15 is set or kept, and the
// block takes the bytes kept and CR LF, or nothing.
struct Keeping
{
    std::size_t lineBytes = 0; // all ones: the record's bytes are kept
    std::size_t fixedBytes = 0; // bytes kept whatever the record's length: SinVel's
    std::size_t endBytes = 0; // CR LF, unless dropped
    unsigned char column15Kept = 0xff; // 0 where SinVel blanks the speed digit...
    unsigned char column15Set = 0; // ...with this
};

using Keepings = std::array<Keeping, RecordClassCount>;

// A Pitovan record of a category has its type digit, so that SinVel keeps
// its first 16 bytes.
Keepings keepingsOf(const RecordActions& actions)
{
    Keepings keepings {};
    for (int i = 0; i < RecordClassCount; ++i) {
        Keeping& keeping = keepings[i];
        if (actions[i] == Write)
            keeping.lineBytes = ~std::size_t {0};
        if (actions[i] == WriteSinVel) {
            keeping.fixedBytes = SinVelMaximumSize;
            keeping.column15Kept = 0;
            keeping.column15Set = '0';
        }
        keeping.endBytes = actions[i] == Drop ? 0 : 2;
    }
    return keepings;
}

constexpr std::size_t CopiedAtOnce = 64;
static_assert(LineReader::ViewReach >= CopiedAtOnce);

// Reads the records to the end and does with each what its class's action
// says: straight into the block where the record and the block allow it,
// else as lines.
template <typename Wide, PointFileKind Kind, bool Blanks>
ClassCounts processRecords(const RecordActions& actions, LineReader& source, LineWriter& destination)
{
    const Keepings keepings = keepingsOf(actions);
    ClassCounts counts {};
    std::array<char, SinVelMaximumSize> blanked;
    for (;;) {
        const std::span<char> room = destination.room();
        char* out = room.data();
        // The block must not fill up: a full one is handed to the system.
        char* const last = out + (room.size() > CopiedAtOnce ? room.size() - CopiedAtOnce : 0);
        source.takeLines<Wide>([&](std::string_view line) {
            if (line.size() + 2 > CopiedAtOnce || out >= last)
                return false;
            const RecordClass recordClass = classifyRecord(Kind, line);
            ++counts[recordClass];
            const Keeping& keeping = keepings[recordClass];
            Wide::copy(out, line.data());
            if constexpr (Blanks)
                out[14] = static_cast<char>((static_cast<unsigned char>(out[14]) & keeping.column15Kept)
                                            | keeping.column15Set);
            const std::size_t kept = (line.size() & keeping.lineBytes) | keeping.fixedBytes;
            std::memcpy(out + kept, "\r\n", 2);
            out += kept + keeping.endBytes;
            return true;
        });
        destination.commit(static_cast<std::size_t>(out - room.data()));

        const std::optional<std::string_view> line = source.nextLine();
        if (!line)
            return counts;
        const RecordClass recordClass = classifyRecord(Kind, *line);
        ++counts[recordClass];
        if (actions[recordClass] == Write)
            destination.writeLine(*line);
        else if (actions[recordClass] == WriteSinVel)
            destination.writeLine(SinVel(*line, blanked));
    }
}

template <typename Wide, PointFileKind Kind> ClassCounts countClasses(LineReader& source)
{
    ClassCounts counts {};
    for (;;) {
        source.takeLines<Wide>([&](std::string_view line) {
            ++counts[classifyRecord(Kind, line)];
            return true;
        });
        const std::optional<std::string_view> line = source.nextLine();
        if (!line)
            return counts;
        ++counts[classifyRecord(Kind, *line)];
    }
}

// The records of a run, or of a count when there is no destination, with
// 64 bytes at once as Wide does.
template <typename Wide>
ClassCounts recordsWith(PointFileKind kind, const RecordActions& actions, LineReader& source, LineWriter* destination)
{
    using enum PointFileKind;
    if (!destination)
        return kind == Pitovan ? countClasses<Wide, Pitovan>(source) : countClasses<Wide, Rumbelo>(source);
    if (kind == Rumbelo)
        return processRecords<Wide, Rumbelo, false>(actions, source, *destination);
    if (std::ranges::find(actions, WriteSinVel) != actions.end())
        return processRecords<Wide, Pitovan, true>(actions, source, *destination);
    return processRecords<Wide, Pitovan, false>(actions, source, *destination);
}

// Each with every call inlined, so that the second is compiled for AVX2 whole.
[[gnu::flatten]] ClassCounts records(PointFileKind kind, const RecordActions& actions, LineReader& source,
                                     LineWriter* destination)
{
    return recordsWith<WideBytes>(kind, actions, source, destination);
}

#if defined(__x86_64__)
[[gnu::target("avx2"), gnu::flatten]] ClassCounts avx2Records(PointFileKind kind, const RecordActions& actions,
                                                              LineReader& source, LineWriter* destination)
{
    return recordsWith<Avx2WideBytes>(kind, actions, source, destination);
}
#endif

RecordTally tallyRecords(PointFileKind kind, const RecordActions& actions, LineReader& source, LineWriter* destination)
{
#if defined(__x86_64__)
    if (Avx2WideBytes::supported())
        return tallyOf(kind, actions, avx2Records(kind, actions, source, destination));
#endif
    return tallyOf(kind, actions, records(kind, actions, source, destination));
}

// A count writes nothing: every record is a dropped one.
constexpr RecordActions CountActions = [] {
    RecordActions actions {};
    actions.fill(Drop);
    return actions;
}();

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
        counted = tallyRecords(*kind, runActions(*kind, options), source, &destination);
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
        counted = tallyRecords(*kind, CountActions, source, nullptr);
    });
    if (outcome == RunOutcome::Completed)
        tally = counted;
    return outcome;
}
