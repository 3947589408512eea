#include "faulty_calls.h"
#include "in_out_code.h"
#include "line_reader.h"
#include "line_writer.h"
#include "posix_file_system.h"
#include "temporary_folder.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The file system the programs use, one for every test, as one program has one.
PosixFileSystem systemFiles(PosixCalls::system());

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
    LineReader reader(systemFiles);
    EXPECT_EQ(inOutCodeOf([&] { reader.open(name); }), GetParam().openCode);
    EXPECT_FALSE(reader.isOpen());
    if (GetParam().createCode >= 0) {
        LineWriter writer(systemFiles);
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
                    NameCase {"MissingFileInTheWorkingFolder",
                              [](const TemporaryFolder&) { return std::string("cribaxon-absent.mdb"); }, 2, -1},
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
    LineReader reader(systemFiles);
    EXPECT_EQ(inOutCodeOf([&] { reader.open(name); }), 5);
    LineWriter writer(systemFiles);
    EXPECT_EQ(inOutCodeOf([&] { writer.create(name); }), 5);
}

TEST(PosixFileSystem, WritesAndReadsBackManyChunksExactly)
{
    TemporaryFolder folder;
    const std::string name = folder.path("big.mdb");
    std::string expected;
    LineWriter writer(systemFiles);
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
    // The file by another name: the same one, or another file beside it.
    std::string (*otherName)(const TemporaryFolder&, const std::string& held);
    bool fuseSpellings = false; // every spelling its own inode, as exFAT through FUSE
    bool mirrored = false; // FOLDER/mirror shows the folder again, as bindfs
    bool oneFile = true;
    const char* heldName = "held.mdb";
};

class SharingRule : public testing::TestWithParam<HeldCase>
{
};

// A file that a reader holds is refused untouched, by whatever name it is
// reached and whatever identity the file system gives that name.
TEST_P(SharingRule, CreateOfAFileHeldByAReaderFailsAndLeavesItWhole)
{
    const HeldCase& row = GetParam();
    FaultyCalls::reset();
    TemporaryFolder folder;
    FaultyCalls::plan.fuseSpellings = row.fuseSpellings;
    if (row.mirrored) {
        fs::create_directory_symlink(folder.path(""), folder.path("mirror"));
        const std::string device
            = std::to_string(major(FaultyCalls::MirrorDevice)) + ":" + std::to_string(minor(FaultyCalls::MirrorDevice));
        FaultyCalls::plan.mirrorPoint = folder.path("mirror");
        FaultyCalls::plan.mountInfo
            = folder.write(".mountinfo",
                           "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n2 1 " + device + " / " + folder.path("mirror")
                               + " rw - fuse " + folder.path("") + " rw,user_id=0\n");
    }
    PosixFileSystem files(FaultyCalls::calls());
    const std::string bytes = "574C\r\nA\r\nB\r\n";
    const std::string held = folder.write(row.heldName, bytes);
    const std::string other = row.otherName(folder, held);
    const std::string otherBytes = readFile(other);
    LineReader reader(files);
    reader.open(held);
    LineWriter writer(files);
    EXPECT_EQ(inOutCodeOf([&] { writer.create(other); }), row.oneFile ? 32 : 0);
    EXPECT_EQ(folder.read(row.heldName), bytes);
    EXPECT_EQ(readFile(other), row.oneFile ? otherBytes : "");
    std::string lines;
    while (!reader.atEnd())
        lines += reader.readLine() + "|";
    EXPECT_EQ(lines, "574C|A|B|");
    reader.close();
    const bool sameInode = fs::equivalent(held, other);
    if (row.oneFile)
        writer.create(other);
    writer.close();
    EXPECT_EQ(folder.read(row.heldName), sameInode ? "" : bytes);
}

// Spellings that the disk takes for the file; the file system's own rules decide, not the program's.
std::string linkedSpelling(const TemporaryFolder& f, const std::string& held, const char* spelling)
{
    fs::create_symlink(held, f.path(spelling));
    return f.path(spelling);
}

INSTANTIATE_TEST_SUITE_P(
    , SharingRule,
    testing::Values(
        HeldCase {"SamePath",
                  [](const TemporaryFolder&, const std::string& held) {
                      return held;
                  }},
        HeldCase {"SymbolicLink",
                  [](const TemporaryFolder& f, const std::string& held) {
                      return linkedSpelling(f, held, "l.mdb");
                  }},
        HeldCase {"HardLink",
                  [](const TemporaryFolder& f, const std::string& held) {
                      fs::create_hard_link(held, f.path("hard.mdb"));
                      return f.path("hard.mdb");
                  }},
        HeldCase {"OtherSpelling",
                  [](const TemporaryFolder& f, const std::string&) {
                      return f.path("./held.mdb");
                  }},
        HeldCase {
            "FuseLetterCase",
            [](const TemporaryFolder& f, const std::string& held) { return linkedSpelling(f, held, "ÑANDÚ.MDB"); },
            true, false, true, "ñandú.mdb"},
        HeldCase {
            "FuseFinalSigma",
            [](const TemporaryFolder& f, const std::string& held) { return linkedSpelling(f, held, "ΣΟΦΟΣ.mdb"); },
            true, false, true, "σοφος.mdb"},
        // kayıt's dotless ı has no capital in exFAT's table: KAYIT is kayit, another file.
        HeldCase {"FuseSpellingOfAnotherFile",
                  [](const TemporaryFolder& f, const std::string&) {
                      f.write("kayit.mdb", "574C\r\nX\r\nY\r\n");
                      return linkedSpelling(f, f.path("kayit.mdb"), "KAYIT.MDB");
                  },
                  true, false, false, "kayıt.mdb"},
        // Two files where Unicode's folding would see one: ß is no ss, İ no I, to the disk's own table.
        HeldCase {
            "FuseSharpSBesideSs",
            [](const TemporaryFolder& f, const std::string&) { return f.write("STRASSE.mdb", "574C\r\nX\r\nY\r\n"); },
            true, false, false, "straße.mdb"},
        HeldCase {"FuseDottedCapitalI",
                  [](const TemporaryFolder& f, const std::string&) {
                      return f.write("\u0130stanbul.mdb", "574C\r\nX\r\nY\r\n");
                  },
                  true, false, false, "istanbul.mdb"},
        HeldCase {"FuseNfdBesideNfc",
                  [](const TemporaryFolder& f, const std::string&) { return f.write("e\u0301.mdb", "other"); }, true,
                  false, false, "\u00e9.mdb"},
        // Nothing the system says tells a copy of the same bytes and time from the file itself.
        HeldCase {"FuseIdenticalCopy",
                  [](const TemporaryFolder& f, const std::string& held) { return f.write("copy.mdb", readFile(held)); },
                  true},
        HeldCase {"MirroredFolder",
                  [](const TemporaryFolder& f, const std::string&) { return f.path("mirror/held.mdb"); }, false, true},
        HeldCase {"MirroredHardLink",
                  [](const TemporaryFolder& f, const std::string& held) {
                      fs::create_hard_link(held, f.path("hard.mdb"));
                      return f.path("mirror/hard.mdb");
                  },
                  false, true},
        HeldCase {"MirrorOfAnotherFile",
                  [](const TemporaryFolder& f, const std::string&) {
                      f.write("other.mdb", "574C\r\nX\r\nY\r\n");
                      return f.path("mirror/other.mdb");
                  },
                  false, true, false}),
    [](const auto& info) { return info.param.name; });

// Held by another program, a file is refused at once: an open that waited would
// return only once the watchdog lets go, and then write over the file.
TEST(PosixFileSystem, FileLockedElsewhereIsRefusedWhileTheLockIsHeld)
{
    for (const bool reading : {false, true}) {
        SCOPED_TRACE(reading ? "source" : "destination");
        TemporaryFolder folder;
        const std::string name = folder.write("held.mdb", "574C\r\n");
        const int other = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
        // A reader elsewhere keeps out a destination; a writer, a source.
        ASSERT_EQ(::flock(other, reading ? LOCK_EX : LOCK_SH), 0);
        auto attempt = std::async(std::launch::async, [&] {
            return inOutCodeOf(
                [&] { reading ? LineReader(systemFiles).open(name) : LineWriter(systemFiles).create(name); });
        });
        EXPECT_EQ(attempt.wait_for(std::chrono::minutes(1)), std::future_status::ready) << "it waited for the lock";
        ::close(other);
        EXPECT_EQ(attempt.get(), 32);
        EXPECT_EQ(folder.read("held.mdb"), "574C\r\n");
    }
}

// Read-only for anybody, root included; a file that the umask makes read-only
// as it is created is not one that was read-only before.
TEST(PosixFileSystem, ReadOnlyDestinationIsRefusedUntouched)
{
    TemporaryFolder folder;
    const std::string name = folder.write("out.mdb", "precious");
    fs::permissions(name, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    LineWriter writer(systemFiles);
    EXPECT_EQ(inOutCodeOf([&] { writer.create(name); }), 5);
    EXPECT_EQ(folder.read("out.mdb"), "precious");

    const mode_t umask = ::umask(0222);
    EXPECT_EQ(inOutCodeOf([&] { writer.create(folder.path("new.mdb")); }), 0);
    ::umask(umask);
    writer.writeLine("574C");
    writer.close();
    EXPECT_EQ(folder.read("new.mdb"), "574C\r\n");
}

// Two nodes of one device are one file, whatever their inodes.
TEST(PosixFileSystem, DestinationThatIsTheSourceDeviceIsRefused)
{
    TemporaryFolder folder;
    fs::create_symlink("/dev/zero", folder.path("zero.mdb"));
    std::vector<std::string> otherNames {"/dev/zero"};
    if (::mknod(folder.path("node.mdb").c_str(), S_IFCHR | 0666, ::makedev(1, 5)) == 0)
        otherNames.push_back(folder.path("node.mdb"));
    LineReader reader(systemFiles);
    reader.open(folder.path("zero.mdb"));
    for (const std::string& other : otherNames) {
        LineWriter writer(systemFiles);
        EXPECT_EQ(inOutCodeOf([&] { writer.create(other); }), 32) << other;
    }
    reader.close();
    LineWriter writer(systemFiles);
    writer.create(otherNames.back());
    EXPECT_EQ(inOutCodeOf([&] { reader.open("/dev/zero"); }), 32);
}

class StandardStream : public testing::TestWithParam<int>
{
};

// Written over from position 0 while the program writes its messages there.
TEST_P(StandardStream, FileThatIsTheStreamIsRefusedUntouched)
{
    TemporaryFolder folder;
    const std::string name = folder.write("out.mdb", "precious");
    const int stream = GetParam();
    const int saved = ::dup(stream);
    const int file = ::open(name.c_str(), O_WRONLY | O_APPEND);
    ::dup2(file, stream);
    LineWriter writer(systemFiles);
    LineReader reader(systemFiles);
    const std::int32_t written = inOutCodeOf([&] { writer.create(name); });
    // Read while the program adds its messages to it, as cat refuses to.
    const std::int32_t read = inOutCodeOf([&] { reader.open(name); });
    ::dup2(saved, stream);
    ::close(saved);
    ::close(file);
    EXPECT_EQ(written, 32);
    EXPECT_EQ(read, 32);
    EXPECT_EQ(folder.read("out.mdb"), "precious");
}

INSTANTIATE_TEST_SUITE_P(, StandardStream, testing::Values(STDOUT_FILENO, STDERR_FILENO),
                         [](const auto& info) { return info.param == STDOUT_FILENO ? "Output" : "Error"; });

// The read-ahead of a reader closed before the end is never written back.
TEST(PosixFileSystem, ReaderClosedMidFileLeavesItUntouched)
{
    TemporaryFolder folder;
    const std::string bytes = "574C\r\nA\r\n" + std::string(70000, 'b') + "\r\n";
    const std::string name = folder.write("in.mdb", bytes);
    LineReader reader(systemFiles);
    reader.open(name);
    EXPECT_EQ(reader.readLine(), "574C");
    EXPECT_EQ(inOutCodeOf([&] { reader.close(); }), 0);
    EXPECT_EQ(folder.read("in.mdb"), bytes);
}

TEST(PosixFileSystem, ReaderCannotOpenAFileHeldForWriting)
{
    TemporaryFolder folder;
    const std::string name = folder.path("out.mdb");
    LineWriter writer(systemFiles);
    writer.create(name);
    LineReader reader(systemFiles);
    EXPECT_EQ(inOutCodeOf([&] { reader.open(name); }), 32);
    writer.close();
    reader.open(name);
    EXPECT_TRUE(reader.atEnd());
}

TEST(PosixFileSystem, TwoReadersShareAFile)
{
    TemporaryFolder folder;
    const std::string name = folder.write("in.txt", "4348\r\n");
    LineReader first(systemFiles), second(systemFiles);
    first.open(name);
    second.open(name);
    EXPECT_EQ(second.readLine(), "4348");
}

TEST(PosixFileSystem, NullDeviceTakesEveryLine)
{
    TemporaryFolder folder;
    fs::create_symlink("/dev/null", folder.path("null.mdb"));
    LineWriter writer(systemFiles);
    EXPECT_NO_THROW({
        writer.create(folder.path("null.mdb"));
        writer.writeLine("574C");
        writer.close();
    });
}

TEST(PosixFileSystem, FullDeviceFailsAtTheFirstLineWithDiskFull)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    TemporaryFolder folder;
    fs::create_symlink("/dev/full", folder.path("full.mdb"));
    LineWriter writer(systemFiles);
    writer.create(folder.path("full.mdb"));
    EXPECT_EQ(inOutCodeOf([&] { writer.writeLine("574C"); }), 112);
    writer.close();
}

class FaultySystem : public testing::Test
{
protected:
    void SetUp() override { FaultyCalls::reset(); }
    TemporaryFolder folder;
    PosixFileSystem files {FaultyCalls::calls()};
};

using FaultyCalls::Call;

TEST_F(FaultySystem, GatheredWritesReachTheKernelInChunks)
{
    LineWriter writer(files);
    writer.create(folder.path("out.mdb"));
    const int lines = 2 * TransferSizes {}.chunk / 100;
    for (int i = 0; i < lines; ++i)
        writer.writeLine(std::string(98, 'w'));
    EXPECT_EQ(FaultyCalls::count(Call::Write), 1);
    writer.close();
    EXPECT_EQ(FaultyCalls::count(Call::Write), 2);
    EXPECT_EQ(fs::file_size(folder.path("out.mdb")), lines * 100u);
}

TEST_F(FaultySystem, FailureOfTheGatheredRestComesBackFromClose)
{
    FaultyCalls::plan = {.failCall = Call::Write, .failNth = 1};
    LineWriter writer(files);
    writer.create(folder.path("out.mdb"));
    writer.writeLine("574C");
    EXPECT_EQ(inOutCodeOf([&] { writer.close(); }), 1117);
    EXPECT_EQ(FaultyCalls::count(Call::Close), 0);
    writer.close();
    EXPECT_EQ(FaultyCalls::count(Call::Close), 1);
    EXPECT_EQ(FaultyCalls::count(Call::Write), 1);
}

TEST_F(FaultySystem, FailureOfAFullChunkComesBackFromTheWriteThatFlushesIt)
{
    FaultyCalls::plan = {.failCall = Call::Write, .failNth = 1, .error = ENOSPC};
    LineWriter writer(files);
    writer.create(folder.path("out.mdb"));
    std::int32_t code = 0;
    for (std::size_t i = 0; i < 2 * TransferSizes {}.chunk && !code; i += 100)
        code = inOutCodeOf([&] { writer.writeLine(std::string(98, 'w')); });
    EXPECT_EQ(code, 112);
    writer.close();
}

TEST_F(FaultySystem, ShortWritesAreCompleted)
{
    FaultyCalls::plan.shortWrite = 1000;
    LineWriter writer(files);
    writer.create(folder.path("out.mdb"));
    writer.writeLine(std::string(140000, 's'));
    writer.close();
    EXPECT_EQ(folder.read("out.mdb"), std::string(140000, 's') + "\r\n");
}

TEST_F(FaultySystem, ReadFailureIsRaisedAndTheNextReadTriesAgain)
{
    FaultyCalls::plan = {.failCall = Call::Read, .failNth = 1};
    const std::string name = folder.write("in.mdb", "574C\r\nA\r\n");
    LineReader reader(files);
    reader.open(name);
    EXPECT_EQ(inOutCodeOf([&] { reader.readLine(); }), 1117);
    EXPECT_EQ(reader.readLine(), "574C");
    EXPECT_EQ(reader.readLine(), "A");
}

TEST_F(FaultySystem, FailedReleaseOfAReaderIsRaisedAndTheReaderIsClosed)
{
    FaultyCalls::plan = {.failCall = Call::Close, .failNth = 1};
    LineReader reader(files);
    reader.open(folder.write("in.mdb", "574C\r\n"));
    EXPECT_EQ(inOutCodeOf([&] { reader.close(); }), 1117);
    EXPECT_FALSE(reader.isOpen());
}

// A pipe or a character device has nothing to flush: fdatasync answers EINVAL.
TEST_F(FaultySystem, FlushRefusedByTheKindOfFileIsNoFailure)
{
    for (const int error : {EINVAL, EROFS}) {
        FaultyCalls::reset();
        FaultyCalls::plan = {.failCall = Call::Fdatasync, .failNth = 1, .error = error};
        LineWriter writer(files);
        writer.create(folder.path("out.mdb"));
        writer.writeLine("574C");
        EXPECT_EQ(inOutCodeOf([&] { writer.close(); }), 0) << error;
    }
}

} // namespace
