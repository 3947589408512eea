#include "fake_file_system.h"
#include "in_out_code.h"
#include "platform_files.h"
#include "recording_reporter.h"
#include "run_generation.h"
#include "temporary_folder.h"
#include "test_files.h"

#include <gtest/gtest.h>

using Call = FakeFileSystem::Call;
using Events = std::vector<std::string>;

namespace {

using Categories = std::vector<PointCategory>;
using enum PointCategory;

// Only the categories named are kept, and only those of speeds keep their speed warning.
RunOptions only(Categories keeps, Categories speeds = {})
{
    RunOptions options;
    for (const PointCategory category : keeps)
        options.setKeeps(category, true);
    for (const PointCategory category : speeds)
        options.setKeepsSpeedWarning(category, true);
    return options;
}

RunOptions allOptions()
{
    const Categories all(PointCategories.begin(), PointCategories.end());
    return only(all, all);
}

const std::string Completed(RunMessage::Completed);

struct NameCase
{
    const char* name;
    const char* source;
    const char* destination;
    RunOutcome outcome;
    Events events;
};

class NameCheck : public testing::TestWithParam<NameCase>
{
};

TEST_P(NameCheck, RejectsNamesBeforeAnyFileIsTouched)
{
    FakeFileSystem files;
    RecordingReporter reporter;
    EXPECT_EQ(RunGeneration(GetParam().source, GetParam().destination, allOptions(), reporter, files),
              GetParam().outcome);
    EXPECT_EQ(reporter.events, GetParam().events);
    EXPECT_TRUE(files.files.empty());
}

const std::string SourceRejected(RunMessage::SourceNameRejected);
const std::string DestinationRejected(RunMessage::DestinationNameRejected);

INSTANTIATE_TEST_SUITE_P(
    , NameCheck,
    testing::Values(
        NameCase {"NoFamily", "puntos.dat", "b.mdb", RunOutcome::SourceNameRejected, {SourceRejected, "focus source"}},
        NameCase {"EmptySource", "", "", RunOutcome::SourceNameRejected, {SourceRejected, "focus source"}},
        NameCase {"RumbeloToPitovan",
                  "a.txt",
                  "b.mdb",
                  RunOutcome::DestinationNameRejected,
                  {DestinationRejected, "focus destination"}},
        NameCase {"PitovanToRumbelo",
                  "a.mdb",
                  "b.txt",
                  RunOutcome::DestinationNameRejected,
                  {DestinationRejected, "focus destination"}},
        NameCase {"EmptyDestination",
                  "a.mdb",
                  "",
                  RunOutcome::DestinationNameRejected,
                  {DestinationRejected, "focus destination"}}),
    [](const auto& info) { return info.param.name; });

struct FilterCase
{
    const char* name;
    const char* source;
    std::string input;
    RunOptions options;
    std::string output;
};

class Filtering : public testing::TestWithParam<FilterCase>
{
};

TEST_P(Filtering, WritesTheHeadersAndTheKeptRecords)
{
    const FilterCase& c = GetParam();
    FakeFileSystem files;
    files.files[c.source].bytes = c.input;
    RecordingReporter reporter;
    const std::string destination = std::string(c.source).ends_with(".mdb") ? "out.mdb" : "out.txt";
    EXPECT_EQ(RunGeneration(c.source, destination, c.options, reporter, files), RunOutcome::Completed);
    EXPECT_EQ(files.files[destination].bytes, c.output);
    EXPECT_EQ(files.files[c.source].bytes, c.input);
    EXPECT_EQ(reporter.events, Events {Completed});
}

const std::string PitovanRecords
    = crlf({"574C header", "AAAAAAAAAAAAAA91tail", "BBBBBBBBBBBBBB32", "CCCCCCCCCCCCCC53", "DDDDDDDDDDDDDD54",
            "EEEEEEEEEEEEEE95", "FFFFFFFFFFFFFF96", "GGGGGGGGGGGGGG97", "HHHHHHHHHHHHHH98", "", "short"});
// Records around the length that a run copies in one piece, and far beyond it.
const std::string Stretch62 = "CCCCCCCCCCCCCC53" + std::string(46, 't');
const std::string Stretch63 = Stretch62 + "t";
const std::string Stretch100 = "DDDDDDDDDDDDDD54" + std::string(84, 't');
const std::string LongPitovanRecords
    = crlf({"574C header", Stretch100, "AAAAAAAAAAAAAA91" + std::string(60, 't'), Stretch62, Stretch63});
const std::string RumbeloRecords = crlf({"4348 first", "second header", "1111111111222206aa", "FFFFFFFFFF000000",
                                         "1111111111222207", "111111111122220D", "111111111122220d", "", "x"});

INSTANTIATE_TEST_SUITE_P(
    , Filtering,
    testing::Values(FilterCase {"PitovanEverything", "in.mdb", PitovanRecords, allOptions(),
                                crlf({"574C header", "AAAAAAAAAAAAAA91tail", "BBBBBBBBBBBBBB32", "CCCCCCCCCCCCCC53",
                                      "DDDDDDDDDDDDDD54", "EEEEEEEEEEEEEE95", "FFFFFFFFFFFFFF96", "GGGGGGGGGGGGGG97"})},
                    FilterCase {"PitovanNothing", "in.mdb", PitovanRecords, RunOptions {}, crlf({"574C header"})},
                    FilterCase {"PitovanFixedWithoutSpeed", "in.mdb", PitovanRecords, only({RF}),
                                crlf({"574C header", "AAAAAAAAAAAAAA01"})},
                    FilterCase {"PitovanStretchesBothDigits", "in.mdb", PitovanRecords, only({TC}, {TC}),
                                crlf({"574C header", "CCCCCCCCCCCCCC53", "DDDDDDDDDDDDDD54"})},
                    FilterCase {"PitovanStretchesWithoutSpeed", "in.mdb", PitovanRecords, only({TC}),
                                crlf({"574C header", "CCCCCCCCCCCCCC03", "DDDDDDDDDDDDDD04"})},
                    FilterCase {"PitovanChildrenAreDigit6", "in.mdb", PitovanRecords, only({ZE}, {ZE}),
                                crlf({"574C header", "FFFFFFFFFFFFFF96"})},
                    FilterCase {"PitovanBlackSpotsAreDigit7", "in.mdb", PitovanRecords, only({PN}),
                                crlf({"574C header", "GGGGGGGGGGGGGG07"})},
                    FilterCase {"PitovanSpeedWithoutKeepDropsTheRecords", "in.mdb", PitovanRecords, only({}, {PN}),
                                crlf({"574C header"})},
                    FilterCase {"PitovanLongRecords", "in.mdb", LongPitovanRecords, only({RF, TC}, {TC}),
                                crlf({"574C header", Stretch100, "AAAAAAAAAAAAAA01", Stretch62, Stretch63})},
                    FilterCase {"PitovanHeaderOnly", "in.mdb", crlf({"574C"}), allOptions(), crlf({"574C"})},
                    FilterCase {"PitovanUnendedLastRecord", "in.mdb", "574C\r\nAAAAAAAAAAAAAA91", allOptions(),
                                crlf({"574C", "AAAAAAAAAAAAAA91"})},
                    FilterCase {"PitovanLfOnlyIsOneHeaderLine", "in.mdb", "574C\nAAAAAAAAAAAAAA91\n", allOptions(),
                                crlf({"574C\nAAAAAAAAAAAAAA91\n"})},
                    FilterCase {"RumbeloEverything", "in.txt", RumbeloRecords, allOptions(),
                                crlf({"4348 first", "second header", "1111111111222206aa", "FFFFFFFFFF000000",
                                      "1111111111222207", "111111111122220D"})},
                    FilterCase {"RumbeloNothingKeepsHeadersAndMarkers", "in.txt", RumbeloRecords, RunOptions {},
                                crlf({"4348 first", "second header", "FFFFFFFFFF000000"})},
                    FilterCase {"RumbeloIgnoresSpeedFlags", "in.txt", RumbeloRecords, only({RF}),
                                crlf({"4348 first", "second header", "1111111111222206aa", "FFFFFFFFFF000000"})},
                    FilterCase {"RumbeloFirstHeaderOnly", "in.txt", "4348", allOptions(), crlf({"4348", ""})},
                    FilterCase {"BothSubstringsIsRumbelo", "in.mdb.txt", RumbeloRecords, RunOptions {},
                                crlf({"4348 first", "second header", "FFFFFFFFFF000000"})}),
    [](const auto& info) { return info.param.name; });

struct TallyCase
{
    const char* name;
    const char* source;
    std::string input;
    std::optional<RunOptions> options; // none: a count
    PointFileKind kind;
    const char* figures; // by record class: a run's kept/dropped/blanked, a count's records
};

class Tally : public testing::TestWithParam<TallyCase>
{
};

std::string figuresOf(const RecordTally& tally, bool counted)
{
    std::string text;
    for (const RecordTally::Records& records : tally.classes) {
        text += text.empty() ? "" : " ";
        if (counted)
            text += std::to_string(records.total());
        else
            text += std::to_string(records.kept) + '/' + std::to_string(records.dropped) + '/'
                + std::to_string(records.blanked);
    }
    return text;
}

TEST_P(Tally, TellsEveryRecordByClassAndTheFamily)
{
    const TallyCase& c = GetParam();
    FakeFileSystem files;
    files.files[c.source].bytes = c.input;
    RecordingReporter reporter;
    RecordTally tally;
    const RunOutcome outcome = c.options ? RunGeneration(c.source, "out.mdb.txt", *c.options, reporter, files, &tally)
                                         : countRecords(c.source, tally, reporter, files);
    EXPECT_EQ(outcome, RunOutcome::Completed);
    EXPECT_EQ(tally.kind, c.kind);
    EXPECT_EQ(figuresOf(tally, !c.options), c.figures);
}

INSTANTIATE_TEST_SUITE_P(
    , Tally,
    testing::Values(TallyCase {"PitovanRun", "in.mdb", PitovanRecords, only({RF, TC, PN}, {TC}), PointFileKind::Pitovan,
                               "1/0/1 0/1/0 2/0/0 0/1/0 1/0/1 0/1/0 0/0/0 0/3/0"},
                    TallyCase {"RumbeloRunNeverBlanks", "in.txt", RumbeloRecords, only({RF}), PointFileKind::Rumbelo,
                               "1/0/0 0/1/0 0/1/0 0/0/0 0/0/0 0/0/0 1/0/0 0/3/0"},
                    TallyCase {"PitovanCount", "in.mdb", PitovanRecords, std::nullopt, PointFileKind::Pitovan,
                               "1 1 2 1 1 1 0 3"},
                    TallyCase {"BothSubstringsCountAsRumbelo", "in.mdb.txt", RumbeloRecords, std::nullopt,
                               PointFileKind::Rumbelo, "1 1 1 0 0 0 1 3"},
                    TallyCase {"HeaderOnlyCount", "in.mdb", crlf({"574C"}), std::nullopt, PointFileKind::Pitovan,
                               "0 0 0 0 0 0 0 0"}),
    [](const auto& info) { return info.param.name; });

TEST(RunGeneration, TakesTheNamesAsTheyAreGivenDoubleQuotesIncluded)
{
    FakeFileSystem files;
    files.files["\"my points.MDB\""].bytes = crlf({"574C"});
    RecordingReporter reporter;
    EXPECT_EQ(RunGeneration("\"my points.MDB\"", "o\"u\"t.mdb", allOptions(), reporter, files), RunOutcome::Completed);
    EXPECT_EQ(files.files["o\"u\"t.mdb"].bytes, crlf({"574C"}));
    EXPECT_FALSE(files.files.contains("out.mdb"));
}

TEST(RunGeneration, RumbeloSourceWithPitovanDestinationPassesThroughTheMdbPair)
{
    FakeFileSystem files;
    files.files["in.mdb.txt"].bytes = crlf({"4348", "h2"});
    RecordingReporter reporter;
    EXPECT_EQ(RunGeneration("in.mdb.txt", "out.mdb", allOptions(), reporter, files), RunOutcome::Completed);
    EXPECT_EQ(files.files["out.mdb"].bytes, crlf({"4348", "h2"}));
}

struct HeaderCase
{
    const char* name;
    const char* source;
    std::string input;
    const char* destination;
    std::string message;
};

class HeaderRejection : public testing::TestWithParam<HeaderCase>
{
};

// A wrong source never costs the user the destination: it is neither created nor emptied.
TEST_P(HeaderRejection, ShowsTheFamilyMessageAndLeavesTheDestinationAsItWas)
{
    const HeaderCase& c = GetParam();
    for (const bool destinationExists : {false, true}) {
        FakeFileSystem files;
        files.files[c.source].bytes = c.input;
        if (destinationExists)
            files.files[c.destination].bytes = "precious";
        RecordingReporter reporter;
        EXPECT_EQ(RunGeneration(c.source, c.destination, allOptions(), reporter, files), RunOutcome::HeaderRejected);
        EXPECT_EQ(reporter.events, Events {c.message});
        EXPECT_EQ(files.files.contains(c.destination), destinationExists);
        if (destinationExists) {
            EXPECT_EQ(files.files[c.destination].bytes, "precious");
        }
        EXPECT_FALSE(files.files[c.source].heldForReading);
    }
}

INSTANTIATE_TEST_SUITE_P(, HeaderRejection,
                         testing::Values(HeaderCase {"PitovanEmpty", "in.mdb", "", "out.mdb",
                                                     std::string(RunMessage::PitovanHeaderRejected)},
                                         HeaderCase {"PitovanLowerCase", "in.mdb", crlf({"574c"}), "out.mdb",
                                                     std::string(RunMessage::PitovanHeaderRejected)},
                                         HeaderCase {"PitovanGivenRumbeloHeader", "in.mdb", crlf({"4348"}), "out.mdb",
                                                     std::string(RunMessage::PitovanHeaderRejected)},
                                         HeaderCase {"RumbeloEmpty", "in.txt", "", "out.txt",
                                                     std::string(RunMessage::RumbeloHeaderRejected)},
                                         HeaderCase {"RumbeloShort", "in.txt", "434", "out.txt",
                                                     std::string(RunMessage::RumbeloHeaderRejected)}),
                         [](const auto& info) { return info.param.name; });

struct FailureCase
{
    const char* name;
    void (*arrange)(FakeFileSystem&);
    std::int32_t code;
    std::string destinationAfter; // what the destination holds afterwards
    bool destinationExists = true;
};

class RunFailure : public testing::TestWithParam<FailureCase>
{
};

const std::string FailureSource = crlf({"574C", std::string(200, '1') + "AAAAAAAAAAAAAA91", "BBBBBBBBBBBBBB92"});

// The run ends with the first failure, closes both files, keeps what was
// written, never shows the completion and never touches the source.
TEST_P(RunFailure, EndsWithTheFirstFailureAndBothFilesClosed)
{
    FakeFileSystem files;
    files.files["in.mdb"].bytes = FailureSource;
    GetParam().arrange(files);
    RecordingReporter reporter;
    EXPECT_EQ(inOutCodeOf([&] { RunGeneration("in.mdb", "out.mdb", allOptions(), reporter, files); }), GetParam().code);
    EXPECT_EQ(reporter.events, Events {});
    EXPECT_EQ(files.files["in.mdb"].bytes, FailureSource);
    EXPECT_FALSE(files.files["in.mdb"].heldForReading);
    EXPECT_EQ(files.files.contains("out.mdb"), GetParam().destinationExists);
    if (GetParam().destinationExists) {
        EXPECT_EQ(files.files["out.mdb"].bytes, GetParam().destinationAfter);
    }
}

INSTANTIATE_TEST_SUITE_P(
    , RunFailure,
    testing::Values(
        FailureCase {"SourceCannotBeOpened", [](FakeFileSystem& f) { f.failOpen("in.mdb", 5); }, 5, "", false},
        FailureCase {"DestinationCannotBeCreated", [](FakeFileSystem& f) { f.failOpen("out.mdb", 5); }, 5, "", false},
        FailureCase {"ReadFailsInTheHeader", [](FakeFileSystem& f) { f.failCall(Call::Read, 1, 1117); }, 1117, "",
                     false},
        FailureCase {"ReadFailsMidCopy", [](FakeFileSystem& f) { f.failCall(Call::Read, 2, 1117); }, 1117,
                     crlf({"574C"})},
        FailureCase {"WriteFailsMidCopy", [](FakeFileSystem& f) { f.failCall(Call::Write, 1, 112); }, 112, "\r\n"},
        FailureCase {"SourceCloseFails", [](FakeFileSystem& f) { f.failCall(Call::Close, 1, 6); }, 6,
                     crlf({"574C", std::string(200, '1') + "AAAAAAAAAAAAAA91", "BBBBBBBBBBBBBB92"})},
        FailureCase {"DestinationCloseFails", [](FakeFileSystem& f) { f.failCall(Call::Close, 2, 1117); }, 1117,
                     crlf({"574C", std::string(200, '1') + "AAAAAAAAAAAAAA91", "BBBBBBBBBBBBBB92"})},
        FailureCase {"BothClosesFailAndTheSourceWins",
                     [](FakeFileSystem& f) {
                         f.failCall(Call::Close, 1, 6);
                         f.failCall(Call::Close, 2, 1117);
                     },
                     6, crlf({"574C", std::string(200, '1') + "AAAAAAAAAAAAAA91", "BBBBBBBBBBBBBB92"})},
        FailureCase {"CopyFailureWinsOverCloseFailure",
                     [](FakeFileSystem& f) {
                         f.failCall(Call::Read, 2, 1117);
                         f.failCall(Call::Close, 1, 6);
                     },
                     1117, crlf({"574C"})},
        FailureCase {"LastHandOverFailsAtClose", [](FakeFileSystem& f) { f.failCall(Call::Write, 2, 112); }, 112,
                     (crlf({"574C", std::string(200, '1') + "AAAAAAAAAAAAAA91"})).substr(0, 128)}),
    [](const auto& info) { return info.param.name; });

TEST(RunGeneration, DestinationNamingTheSourceFailsWithSharingViolationAndKeepsTheSource)
{
    TemporaryFolder folder;
    const std::string source = folder.write("points.txt", crlf({"4348", "h2", "1111111111222206"}));
    RecordingReporter reporter;
    EXPECT_EQ(inOutCodeOf([&] { RunGeneration(source, source, allOptions(), reporter, platformFiles()); }), 32);
    EXPECT_EQ(folder.read("points.txt"), crlf({"4348", "h2", "1111111111222206"}));
    EXPECT_EQ(reporter.events, Events {});
}

TEST(RunGeneration, RealFilesEndToEnd)
{
    TemporaryFolder folder;
    const std::string source = folder.write("in put.mdb", crlf({"574C", "AAAAAAAAAAAAAA91xyz", "AAAAAAAAAAAAAA92"}));
    RecordingReporter reporter;
    RunGeneration(source, folder.path("out.mdb"), only({RF}), reporter, platformFiles());
    EXPECT_EQ(folder.read("out.mdb"), crlf({"574C", "AAAAAAAAAAAAAA01"}));
    EXPECT_EQ(reporter.events, Events {Completed});
}

} // namespace
