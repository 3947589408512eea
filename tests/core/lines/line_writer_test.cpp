#include "fake_file_system.h"
#include "in_out_code.h"
#include "line_writer.h"

#include <gtest/gtest.h>

using Call = FakeFileSystem::Call;
using Sizes = std::vector<std::size_t>;

namespace {

struct WriteCase
{
    const char* name;
    std::vector<std::string> lines;
    std::size_t transfer = 0; // what the file moves at once
    std::size_t block = LineWriter::BlockSize; // what the system gets at once
};

const WriteCase WriteCases[] = {
    {"Nothing", {}},
    {"OneEmptyLine", {""}},
    {"TwoLines", {"574C header", "abc"}},
    {"AnyByte", {std::string("\0\x1a\r\n\x80\xff", 6)}},
    {"FillsABlockExactly", {std::string(126, 'f')}},
    {"LeavesOneByteOfTheBlock", {std::string(125, 'f'), "g"}},
    {"ManyBlocks", {std::string(1000, 'm'), "", std::string(300, 'n')}},
    {"ManyBlocksAtOnce", {std::string(1000, 'm'), "", std::string(300, 'n')}, 512, 512},
    {"BlockOfManyFilledExactly", {std::string(254, 'f'), "g"}, 256, 256},
    {"TransferNotOfWholeBlocks", {std::string(300, 'o')}, 300, 256},
};

class LineWriting : public testing::TestWithParam<WriteCase>
{
};

// The file holds exactly each line followed by CR LF; the system gets full
// blocks of 128 bytes, or of the whole blocks it moves at once, and the rest
// at close.
TEST_P(LineWriting, WritesEachLineFollowedByCrLfInBlocks)
{
    FakeFileSystem files;
    files.transferSize = GetParam().transfer;
    const std::size_t block = GetParam().block;
    LineWriter writer(files);
    writer.create("out");
    std::string expected;
    for (const std::string& line : GetParam().lines) {
        writer.writeLine(line);
        expected += line + "\r\n";
    }
    writer.close();
    EXPECT_EQ(files.files["out"].bytes, expected);
    Sizes sizes(expected.size() / block, block);
    if (expected.size() % block)
        sizes.push_back(expected.size() % block);
    EXPECT_EQ(files.writeSizes, sizes);
}

INSTANTIATE_TEST_SUITE_P(, LineWriting, testing::ValuesIn(WriteCases),
                         [](const auto& info) { return info.param.name; });

TEST(LineWriter, OrdinaryFileGetsNothingAtALineEnd)
{
    FakeFileSystem files;
    LineWriter writer(files);
    writer.create("out");
    writer.writeLine("short");
    EXPECT_TRUE(files.writeSizes.empty());
    writer.writeLine(std::string(126 - 7, 'x')); // fills the block exactly
    EXPECT_EQ(files.writeSizes, Sizes {128});
}

TEST(LineWriter, CharacterDeviceGetsEveryLineAtOnce)
{
    FakeFileSystem files;
    files.files["tty"].kind = FileKind::CharacterDevice;
    LineWriter writer(files);
    writer.create("tty");
    writer.writeLine("one");
    EXPECT_EQ(files.writeSizes, Sizes {5});
    writer.writeLine(std::string(200, 'y'));
    EXPECT_EQ(files.writeSizes, (Sizes {5, 128, 74}));
    writer.close();
    EXPECT_EQ(files.writeSizes.size(), 3u);
}

TEST(LineWriter, CreateEmptiesAnExistingFileAtOnce)
{
    FakeFileSystem files;
    files.files["out"].bytes = "old contents";
    LineWriter writer(files);
    writer.create("out");
    EXPECT_EQ(files.files["out"].bytes, "");
    writer.close();
    EXPECT_EQ(files.files["out"].bytes, "");
}

TEST(LineWriter, FailureInTheLineSkipsItsRestButKeepsItsLineEnd)
{
    FakeFileSystem files;
    files.failCall(Call::Write, 1, 112);
    LineWriter writer(files);
    writer.create("out");
    EXPECT_EQ(inOutCodeOf([&] { writer.writeLine(std::string(300, 'a')); }), 112);
    EXPECT_TRUE(writer.isOpen());
    writer.writeLine("B");
    writer.close();
    EXPECT_EQ(files.files["out"].bytes, "\r\nB\r\n");
}

TEST(LineWriter, FailureInTheLineEndSkipsTheRestOfIt)
{
    FakeFileSystem files;
    files.failCall(Call::Write, 1, 1117);
    LineWriter writer(files);
    writer.create("out");
    EXPECT_EQ(inOutCodeOf([&] { writer.writeLine(std::string(127, 'a')); }), 1117);
    writer.close();
    EXPECT_EQ(files.files["out"].bytes, "");
}

TEST(LineWriter, BytesHandedOverBeforeAFailureStay)
{
    FakeFileSystem files;
    files.failCall(Call::Write, 2, 112);
    LineWriter writer(files);
    writer.create("out");
    EXPECT_EQ(inOutCodeOf([&] { writer.writeLine(std::string(300, 'a')); }), 112);
    writer.close();
    EXPECT_EQ(files.files["out"].bytes, std::string(128, 'a') + "\r\n");
}

TEST(LineWriter, FailedCloseLeavesItOpenAndASecondCloseReleasesWithoutWriting)
{
    FakeFileSystem files;
    files.failCall(Call::Write, 1, 112);
    LineWriter writer(files);
    writer.create("out");
    writer.writeLine("rest");
    EXPECT_EQ(inOutCodeOf([&] { writer.close(); }), 112);
    EXPECT_TRUE(writer.isOpen());
    EXPECT_TRUE(files.files["out"].heldForWriting);
    writer.close();
    EXPECT_FALSE(writer.isOpen());
    EXPECT_EQ(files.calls(Call::Write), 1);
    EXPECT_EQ(files.files["out"].bytes, "");
}

TEST(LineWriter, FailedReleaseStillClosesTheWriter)
{
    FakeFileSystem files;
    files.failCall(Call::Close, 1, 6);
    LineWriter writer(files);
    writer.create("out");
    writer.writeLine("kept");
    EXPECT_EQ(inOutCodeOf([&] { writer.close(); }), 6);
    EXPECT_FALSE(writer.isOpen());
    EXPECT_EQ(files.files["out"].bytes, "kept\r\n");
}

TEST(LineWriter, OperationsOnAClosedWriterFailWithTheirCodes)
{
    FakeFileSystem files;
    LineWriter writer(files);
    EXPECT_EQ(inOutCodeOf([&] { writer.writeLine("x"); }), InOutCode::FileNotOpenForOutput);
    EXPECT_EQ(inOutCodeOf([&] { writer.close(); }), InOutCode::FileNotOpen);
    writer.create("out");
    writer.close();
    EXPECT_EQ(inOutCodeOf([&] { writer.close(); }), InOutCode::FileNotOpen);
    EXPECT_EQ(inOutCodeOf([&] { writer.writeLine("x"); }), InOutCode::FileNotOpenForOutput);
}

TEST(LineWriter, FailedCreateLeavesTheWriterClosed)
{
    FakeFileSystem files;
    files.failOpen("out", InOutCode::AccessDenied);
    LineWriter writer(files);
    EXPECT_EQ(inOutCodeOf([&] { writer.create("out"); }), InOutCode::AccessDenied);
    EXPECT_FALSE(writer.isOpen());
}

} // namespace
