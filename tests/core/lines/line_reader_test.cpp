#include "fake_file_system.h"
#include "in_out_code.h"
#include "line_reader.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;
using Call = FakeFileSystem::Call;

namespace {

Lines readAll(LineReader& reader)
{
    Lines lines;
    while (!reader.atEnd())
        lines.push_back(reader.readLine());
    return lines;
}

struct SplitCase
{
    const char* name;
    std::string input;
    Lines expected;
};

const std::string LongLine(1000, 'x');
const std::string LongerThanTheReaderKeeps(9000, 'w');
const std::string BlockMinusOne(127, 'a');

std::string numberedLines(int count)
{
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += "line " + std::to_string(i) + "\r\n";
    return bytes;
}

Lines numbered(int count)
{
    Lines lines;
    for (int i = 0; i < count; ++i)
        lines.push_back("line " + std::to_string(i));
    return lines;
}

const SplitCase SplitCases[] = {
    {"EmptyFile", "", {}},
    {"CrLfEnded", "A\r\nB\r\n", {"A", "B"}},
    {"LastLineUnended", "A\r\nB", {"A", "B"}},
    {"EmptyLineBeforeEnd", "A\r\n\r\n", {"A", ""}},
    {"LoneCrEndsLine", "A\rB", {"A", "B"}},
    {"LoneCrAfterAnotherLine", "A\r\nB\rC", {"A", "B", "C"}},
    {"LoneLfIsData", "A\nB\r\n", {"A\nB"}},
    {"LfOnlyFileIsOneLine", "574C\nP1\nP2\n", {"574C\nP1\nP2\n"}},
    {"CrCrLf", "\r\r\n", {"", ""}},
    {"LfCr", "A\n\r", {"A\n"}},
    {"EndMarkMidLine",
     std::string("AB\x1a"
                 "CD\r\nEF"),
     {"AB"}},
    {"EndMarkFirst",
     std::string("\x1a"
                 "A\r\n"),
     {}},
    {"EndMarkLast", std::string("A\r\n\x1a"), {"A"}},
    {"EndMarkAfterCr",
     std::string("A\r\x1a"
                 "B"),
     {"A"}},
    {"EndMarkBeforeLaterBlocks",
     std::string(20, 'a') + "\r\nb\x1a" + numberedLines(24).substr(0, 217),
     {std::string(20, 'a'), "b"}},
    {"EndMarkEndingItsBlock", BlockMinusOne + "\x1a" + numberedLines(3), {BlockMinusOne}},
    {"AnyOtherByte", std::string("\0\x80\xff\t\n", 5), {std::string("\0\x80\xff\t\n", 5)}},
    {"CrLfAcrossBlocks", BlockMinusOne + "\r\nB", {BlockMinusOne, "B"}},
    {"CrAtBlockEndThenText", BlockMinusOne + "\rB", {BlockMinusOne, "B"}},
    {"LineOfManyBlocks", LongLine + "\r\n" + LongLine, {LongLine, LongLine}},
    {"LineLongerThanTheReaderKeeps", LongerThanTheReaderKeeps + "\r\nB", {LongerThanTheReaderKeeps, "B"}},
    {"ManyLines", numberedLines(1000), numbered(1000)},
};

// How the system hands the bytes over.
struct Reads
{
    const char* suffix;
    std::size_t limit; // bytes of one read at most
    std::size_t transfer; // bytes asked for at once
};

const Reads ReadsOfTheSystem[] = {
    {"", SIZE_MAX, 0},
    {"_ByteByByte", 1, 0},
    {"_ManyBlocksAtOnce", SIZE_MAX, 8 * LineReader::BlockSize},
};

// Each case is read with whole blocks, with reads the system cuts short and
// with reads of many blocks.
class LineSplitting : public testing::TestWithParam<std::tuple<SplitCase, Reads>>
{
};

TEST_P(LineSplitting, DeliversTheLinesOfTheInput)
{
    const auto& [splitCase, systemReads] = GetParam();
    const auto holdInput = [&](FakeFileSystem& system) {
        system.files["f"].bytes = splitCase.input;
        system.readLimit = systemReads.limit;
        system.transferSize = systemReads.transfer;
    };
    FakeFileSystem files;
    holdInput(files);
    LineReader reader(files);
    reader.open("f");
    EXPECT_EQ(readAll(reader), splitCase.expected);

    // The end lasts: empty lines, and no further system reads.
    const int reads = files.calls(Call::Read);
    EXPECT_EQ(reader.readLine(), "");
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(reader.readLine(), "");
    EXPECT_EQ(files.calls(Call::Read), reads);

    // Views of the same lines, in the same reads of the system: one by one,
    // and taken in place first, as a run takes them, finding the CRs with
    // the instructions of every processor and with AVX2 where this one has it.
    const auto viewsOf = [&](auto takeLines) {
        FakeFileSystem viewed;
        holdInput(viewed);
        LineReader viewer(viewed);
        viewer.open("f");
        Lines views;
        for (;;) {
            takeLines(viewer, [&](std::string_view line) {
                views.emplace_back(line);
                return true;
            });
            const auto line = viewer.nextLine();
            if (!line)
                break;
            views.emplace_back(*line);
        }
        EXPECT_EQ(views, splitCase.expected);
        EXPECT_EQ(viewed.calls(Call::Read), reads);
    };
    viewsOf([](LineReader&, auto) {});
    viewsOf([](LineReader& viewer, auto take) { viewer.takeLines(take); });
#if defined(__x86_64__)
    if (Avx2WideBytes::supported())
        viewsOf([](LineReader& viewer, auto take) { viewer.takeLines<Avx2WideBytes>(take); });
#endif
}

INSTANTIATE_TEST_SUITE_P(, LineSplitting,
                         testing::Combine(testing::ValuesIn(SplitCases), testing::ValuesIn(ReadsOfTheSystem)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + std::get<1>(info.param).suffix;
                         });

TEST(LineReader, AsksTheSystemForBlocksOf128BytesOrForTheWholeBlocksItMovesAtOnce)
{
    // 300 bytes, a read finding the end: what the file moves at once, what the reader asks for, how often.
    const struct
    {
        std::size_t transfer, asked, reads;
    } rows[] = {{0, 128, 4}, {200, 128, 4}, {256, 256, 3}};
    for (const auto& row : rows) {
        FakeFileSystem files;
        files.files["f"].bytes = std::string(300, 'z');
        files.transferSize = row.transfer;
        LineReader reader(files);
        reader.open("f");
        EXPECT_EQ(reader.readLine().size(), 300u);
        EXPECT_EQ(files.readRequests, std::vector<std::size_t>(row.reads, row.asked)) << row.transfer;
    }
}

TEST(LineReader, EmptyFileReadsAsEmptyLinesWithoutFailing)
{
    FakeFileSystem files;
    files.files["f"];
    LineReader reader(files);
    reader.open("f");
    EXPECT_EQ(reader.readLine(), "");
    EXPECT_EQ(reader.readLine(), "");
    EXPECT_TRUE(reader.atEnd());
}

TEST(LineReader, AtEndConsumesNothing)
{
    FakeFileSystem files;
    files.files["f"].bytes = "\r\nA";
    LineReader reader(files);
    reader.open("f");
    EXPECT_FALSE(reader.atEnd());
    EXPECT_FALSE(reader.atEnd());
    EXPECT_EQ(reader.readLine(), "");
    EXPECT_EQ(reader.readLine(), "A");
}

TEST(LineReader, FailedReadLosesThePartLineAndRetriesAtTheSamePlace)
{
    FakeFileSystem files;
    files.files["f"].bytes = std::string(200, 'a') + "\r\nB";
    files.failCall(Call::Read, 2, 1117);
    LineReader reader(files);
    reader.open("f");
    EXPECT_EQ(inOutCodeOf([&] { reader.readLine(); }), 1117);
    EXPECT_TRUE(reader.isOpen());
    EXPECT_EQ(reader.readLine(), std::string(72, 'a'));
    EXPECT_EQ(reader.readLine(), "B");
    EXPECT_TRUE(reader.atEnd());
}

TEST(LineReader, FailedReadInAtEndDoesNotMarkTheEnd)
{
    FakeFileSystem files;
    files.files["f"].bytes = "A";
    files.failCall(Call::Read, 1, 6);
    LineReader reader(files);
    reader.open("f");
    EXPECT_EQ(inOutCodeOf([&] { reader.atEnd(); }), 6);
    EXPECT_FALSE(reader.atEnd());
    EXPECT_EQ(reader.readLine(), "A");
}

TEST(LineReader, BrokenPipeIsTheEnd)
{
    FakeFileSystem files;
    files.files["f"].bytes = std::string(130, 'p');
    files.failCall(Call::Read, 2, InOutCode::BrokenPipe);
    LineReader reader(files);
    reader.open("f");
    EXPECT_EQ(reader.readLine(), std::string(128, 'p'));
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(files.calls(Call::Read), 2);
}

TEST(LineReader, OperationsOnAClosedReaderFailWithTheirCodes)
{
    FakeFileSystem files;
    files.files["f"].bytes = "A\r\nB";
    LineReader reader(files);
    EXPECT_EQ(inOutCodeOf([&] { reader.readLine(); }), InOutCode::FileNotOpenForInput);
    EXPECT_EQ(inOutCodeOf([&] { reader.atEnd(); }), InOutCode::FileNotOpenForInput);
    EXPECT_EQ(inOutCodeOf([&] { reader.close(); }), InOutCode::FileNotOpen);
    EXPECT_EQ(inOutCodeOf([&] { reader.nextLine(); }), InOutCode::FileNotOpenForInput);
    reader.open("f");
    EXPECT_FALSE(reader.atEnd());
    reader.close();
    EXPECT_EQ(inOutCodeOf([&] { reader.close(); }), InOutCode::FileNotOpen);
    EXPECT_EQ(inOutCodeOf([&] { reader.readLine(); }), InOutCode::FileNotOpenForInput);
    EXPECT_EQ(inOutCodeOf([&] { reader.nextLine(); }), InOutCode::FileNotOpenForInput);
}

TEST(LineReader, FailedOpenLeavesTheReaderClosed)
{
    FakeFileSystem files;
    LineReader reader(files);
    EXPECT_EQ(inOutCodeOf([&] { reader.open("missing"); }), InOutCode::FileNotFound);
    EXPECT_FALSE(reader.isOpen());
}

TEST(LineReader, FailedCloseStillClosesTheReader)
{
    FakeFileSystem files;
    files.files["f"];
    files.failCall(Call::Close, 1, 6);
    LineReader reader(files);
    reader.open("f");
    EXPECT_EQ(inOutCodeOf([&] { reader.close(); }), 6);
    EXPECT_FALSE(reader.isOpen());
    EXPECT_FALSE(files.files["f"].heldForReading);
}

TEST(LineReader, OpeningAgainReleasesTheFirstFileAndStartsAfresh)
{
    FakeFileSystem files;
    files.files["a"].bytes = "A\r\n";
    files.files["b"].bytes = "B\r\n";
    LineReader reader(files);
    reader.open("a");
    EXPECT_EQ(readAll(reader), Lines {"A"});
    reader.open("b");
    EXPECT_FALSE(files.files["a"].heldForReading);
    EXPECT_EQ(readAll(reader), Lines {"B"});
}

} // namespace
