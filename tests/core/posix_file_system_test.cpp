#include "in_out_code.h"
#include "line_reader.h"
#include "line_writer.h"
#include "posix_file_system.h"
#include "temporary_folder.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string readWhole(const std::string& name, FileSystem& files = systemFileSystem())
{
    LineReader reader(files);
    reader.open(name);
    std::string joined;
    while (!reader.atEnd())
        joined += reader.readLine() + "|";
    reader.close();
    return joined;
}

struct NameCase
{
    const char* name;
    std::string (*path)(const TemporaryFolder&);
    std::int32_t openCode;
    std::int32_t createCode;
};

class NameFailure : public testing::TestWithParam<NameCase>
{
};

TEST_P(NameFailure, OpenAndCreateRaiseTheCodeOfTheFailure)
{
    TemporaryFolder folder;
    folder.write("file.mdb", "574C\r\n");
    fs::create_directory(folder.path("folder.mdb"));
    const std::string name = GetParam().path(folder);
    LineReader reader;
    EXPECT_EQ(inOutCodeOf([&] { reader.open(name); }), GetParam().openCode);
    EXPECT_FALSE(reader.isOpen());
    if (GetParam().createCode >= 0) {
        LineWriter writer;
        EXPECT_EQ(inOutCodeOf([&] { writer.create(name); }), GetParam().createCode);
        EXPECT_FALSE(writer.isOpen());
    }
    EXPECT_EQ(folder.read("file.mdb"), "574C\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    , NameFailure,
    testing::Values(NameCase {"MissingFile", [](const TemporaryFolder& f) { return f.path("absent.mdb"); }, 2, -1},
                    NameCase {"MissingFolder", [](const TemporaryFolder& f) { return f.path("absent/x.mdb"); }, 3, 3},
                    NameCase {"FileUsedAsFolder", [](const TemporaryFolder& f) { return f.path("file.mdb/x.mdb"); }, 3,
                              3},
                    NameCase {"Folder", [](const TemporaryFolder& f) { return f.path("folder.mdb"); }, 5, 5},
                    NameCase {"EmptyName", [](const TemporaryFolder&) { return std::string(); }, 3, 3},
                    NameCase {"ComponentTooLong",
                              [](const TemporaryFolder& f) { return f.path(std::string(300, 'n')); }, 206, 206}),
    [](const auto& info) { return info.param.name; });

TEST(PosixFileSystem, RefusesAccessWhereThePermissionsDo)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    TemporaryFolder folder;
    const std::string name = folder.write("locked.mdb", "574C\r\n");
    fs::permissions(name, fs::perms::none);
    LineReader reader;
    EXPECT_EQ(inOutCodeOf([&] { reader.open(name); }), 5);
    LineWriter writer;
    EXPECT_EQ(inOutCodeOf([&] { writer.create(name); }), 5);
}

TEST(PosixFileSystem, WritesAndReadsBackManyChunksExactly)
{
    TemporaryFolder folder;
    const std::string name = folder.path("big.mdb");
    std::string expected;
    LineWriter writer;
    writer.create(name);
    for (int i = 0; i < 20000; ++i) {
        const std::string line = "574C" + std::string(static_cast<std::size_t>(i % 97), static_cast<char>(i % 251));
        writer.writeLine(line);
        expected += line + "\r\n";
    }
    writer.close();
    EXPECT_EQ(folder.read("big.mdb"), expected);
}

struct HeldCase
{
    const char* name;
    std::string (*otherName)(const TemporaryFolder&, const std::string& held);
};

class SharingRule : public testing::TestWithParam<HeldCase>
{
};

// A file that a reader holds is refused untouched, by whatever name it is reached.
TEST_P(SharingRule, CreateOfAFileHeldByAReaderFailsAndLeavesItWhole)
{
    TemporaryFolder folder;
    const std::string held = folder.write("held.mdb", "574C\r\nA\r\nB\r\n");
    const std::string other = GetParam().otherName(folder, held);
    LineReader reader;
    reader.open(held);
    LineWriter writer;
    EXPECT_EQ(inOutCodeOf([&] { writer.create(other); }), 32);
    EXPECT_EQ(folder.read("held.mdb"), "574C\r\nA\r\nB\r\n");
    std::string lines;
    while (!reader.atEnd())
        lines += reader.readLine() + "|";
    EXPECT_EQ(lines, "574C|A|B|");
    reader.close();
    writer.create(other);
    writer.close();
    EXPECT_EQ(folder.read("held.mdb"), "");
}

INSTANTIATE_TEST_SUITE_P(, SharingRule,
                         testing::Values(HeldCase {"SamePath",
                                                   [](const TemporaryFolder&, const std::string& held) {
                                                       return held;
                                                   }},
                                         HeldCase {"SymbolicLink",
                                                   [](const TemporaryFolder& f, const std::string& held) {
                                                       fs::create_symlink(held, f.path("link.mdb"));
                                                       return f.path("link.mdb");
                                                   }},
                                         HeldCase {"HardLink",
                                                   [](const TemporaryFolder& f, const std::string& held) {
                                                       fs::create_hard_link(held, f.path("hard.mdb"));
                                                       return f.path("hard.mdb");
                                                   }},
                                         HeldCase {"OtherSpelling",
                                                   [](const TemporaryFolder& f, const std::string&) {
                                                       return f.path("./held.mdb");
                                                   }}),
                         [](const auto& info) { return info.param.name; });

// The read-ahead of a reader closed before the end is never written back.
TEST(PosixFileSystem, ReaderClosedMidFileLeavesItUntouched)
{
    TemporaryFolder folder;
    const std::string bytes = "574C\r\nA\r\n" + std::string(70000, 'b') + "\r\n";
    const std::string name = folder.write("in.mdb", bytes);
    LineReader reader;
    reader.open(name);
    EXPECT_EQ(reader.readLine(), "574C");
    EXPECT_EQ(inOutCodeOf([&] { reader.close(); }), 0);
    EXPECT_EQ(folder.read("in.mdb"), bytes);
}

TEST(PosixFileSystem, ReaderCannotOpenAFileHeldForWriting)
{
    TemporaryFolder folder;
    const std::string name = folder.path("out.mdb");
    LineWriter writer;
    writer.create(name);
    LineReader reader;
    EXPECT_EQ(inOutCodeOf([&] { reader.open(name); }), 32);
    writer.close();
    reader.open(name);
    EXPECT_TRUE(reader.atEnd());
}

TEST(PosixFileSystem, TwoReadersShareAFile)
{
    TemporaryFolder folder;
    const std::string name = folder.write("in.txt", "4348\r\n");
    LineReader first, second;
    first.open(name);
    second.open(name);
    EXPECT_EQ(second.readLine(), "4348");
}

TEST(PosixFileSystem, NullDeviceTakesEveryLine)
{
    TemporaryFolder folder;
    fs::create_symlink("/dev/null", folder.path("null.mdb"));
    LineWriter writer;
    writer.create(folder.path("null.mdb"));
    writer.writeLine("574C");
    writer.close();
}

TEST(PosixFileSystem, FullDeviceFailsAtTheFirstLineWithDiskFull)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    TemporaryFolder folder;
    fs::create_symlink("/dev/full", folder.path("full.mdb"));
    LineWriter writer;
    writer.create(folder.path("full.mdb"));
    EXPECT_EQ(inOutCodeOf([&] { writer.writeLine("574C"); }), 112);
    writer.close();
}

// System calls that fail, come back short or are interrupted, as the test says.
struct Script
{
    int failWriteAt = 0; // 1-based
    int failReadAt = 0;
    int failCloseAt = 0;
    int error = EIO;
    std::size_t shortWrite = 0; // at most this many bytes per write, when set
    bool interruptFirst = false;
    int writes = 0, reads = 0, closes = 0;
};
Script script;

ssize_t scriptedRead(int fd, void* buffer, size_t count)
{
    if (++script.reads == 1 && script.interruptFirst)
        return errno = EINTR, -1;
    if (script.reads == script.failReadAt)
        return errno = script.error, -1;
    return ::read(fd, buffer, count);
}

ssize_t scriptedWrite(int fd, const void* buffer, size_t count)
{
    if (++script.writes == 1 && script.interruptFirst)
        return errno = EINTR, -1;
    if (script.writes == script.failWriteAt)
        return errno = script.error, -1;
    return ::write(fd, buffer, script.shortWrite ? std::min(count, script.shortWrite) : count);
}

int scriptedClose(int fd)
{
    ++script.closes;
    const int result = ::close(fd);
    if (script.closes == script.failCloseAt)
        return errno = script.error, -1;
    return result;
}

const PosixCalls ScriptedCalls {scriptedRead, scriptedWrite, scriptedClose};

class ScriptedSystem : public testing::Test
{
protected:
    void SetUp() override { script = {}; }
    TemporaryFolder folder;
    PosixFileSystem files {ScriptedCalls};
};

TEST_F(ScriptedSystem, GatheredWritesReachTheKernelInChunks)
{
    LineWriter writer(files);
    writer.create(folder.path("out.mdb"));
    for (int i = 0; i < 1000; ++i)
        writer.writeLine(std::string(98, 'w'));
    EXPECT_EQ(script.writes, 1); // one full chunk of the 100,000 bytes so far
    writer.close();
    EXPECT_EQ(script.writes, 2);
    EXPECT_EQ(fs::file_size(folder.path("out.mdb")), 100000u);
}

TEST_F(ScriptedSystem, FailureOfTheGatheredRestComesBackFromClose)
{
    script.failWriteAt = 1;
    LineWriter writer(files);
    writer.create(folder.path("out.mdb"));
    writer.writeLine("574C");
    EXPECT_EQ(inOutCodeOf([&] { writer.close(); }), 1117);
    EXPECT_FALSE(writer.isOpen());
    EXPECT_EQ(script.closes, 1);
}

TEST_F(ScriptedSystem, FailureOfAFullChunkComesBackFromTheWriteThatFlushesIt)
{
    script.failWriteAt = 1;
    script.error = ENOSPC;
    LineWriter writer(files);
    writer.create(folder.path("out.mdb"));
    std::int32_t code = 0;
    for (int i = 0; i < 1000 && !code; ++i)
        code = inOutCodeOf([&] { writer.writeLine(std::string(98, 'w')); });
    EXPECT_EQ(code, 112);
    writer.close();
}

TEST_F(ScriptedSystem, ShortAndInterruptedWritesAreCompleted)
{
    script.shortWrite = 1000;
    script.interruptFirst = true;
    LineWriter writer(files);
    writer.create(folder.path("out.mdb"));
    writer.writeLine(std::string(70000, 's'));
    writer.close();
    EXPECT_EQ(folder.read("out.mdb"), std::string(70000, 's') + "\r\n");
}

TEST_F(ScriptedSystem, ReadFailureIsRaisedAndTheNextReadTriesAgain)
{
    script.failReadAt = 1;
    script.interruptFirst = false;
    const std::string name = folder.write("in.mdb", "574C\r\nA\r\n");
    LineReader reader(files);
    reader.open(name);
    EXPECT_EQ(inOutCodeOf([&] { reader.readLine(); }), 1117);
    EXPECT_EQ(reader.readLine(), "574C");
    EXPECT_EQ(reader.readLine(), "A");
}

TEST_F(ScriptedSystem, InterruptedReadIsRetried)
{
    script.interruptFirst = true;
    EXPECT_EQ(readWhole(folder.write("in.mdb", "574C\r\n"), files), "574C|");
}

TEST_F(ScriptedSystem, FailedReleaseOfAReaderIsRaisedAndTheReaderIsClosed)
{
    script.failCloseAt = 1;
    LineReader reader(files);
    reader.open(folder.write("in.mdb", "574C\r\n"));
    EXPECT_EQ(inOutCodeOf([&] { reader.close(); }), 1117);
    EXPECT_FALSE(reader.isOpen());
}

} // namespace
