#include "child_process.h"
#include "in_out_code.h"
#include "line_reader.h"
#include "line_writer.h"
#include "temporary_folder.h"
#include "utf16_names.h"
#include "windows_file_system.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// The file system the programs use, one for every test, as one program has one.
WindowsFileSystem systemFiles(WindowsCalls::system());

const std::string Bytes = "574C\r\nA\r\nB\r\n";

std::wstring wide(const std::string& name)
{
    return utf16Name(name).value();
}

// The names in the folder, as the system spells them.
std::vector<std::wstring> namesIn(const TemporaryFolder& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(wide(folder.path("*")).c_str(), &found);
    do {
        if (found.cFileName != std::wstring_view(L".") && found.cFileName != std::wstring_view(L".."))
            names.emplace_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::ranges::sort(names);
    return names;
}

std::string linesOf(LineReader& reader)
{
    std::string lines;
    while (!reader.atEnd())
        lines += reader.readLine() + "|";
    return lines;
}

// The test's folder, which relative names start from while it lasts.
class WorkingFolder final : public TemporaryFolder
{
public:
    WorkingFolder() { fs::current_path(pathOf(path(""))); }
    ~WorkingFolder() { fs::current_path(m_before); }

private:
    fs::path m_before = fs::current_path();
};

// A row's name with the folder put in: {dir} (ending in \), {dir/} (with / instead), {rooted} (without its drive),
// {drive} and {leaf} (its last part).
std::string spelled(std::string pattern, const TemporaryFolder& folder)
{
    const std::string dir = folder.path("");
    std::string slashed = dir;
    std::ranges::replace(slashed, '\\', '/');
    const std::pair<std::string, std::string> fills[] = {{"{dir}", dir},
                                                         {"{dir/}", slashed},
                                                         {"{rooted}", dir.substr(2)},
                                                         {"{drive}", dir.substr(0, 2)},
                                                         {"{leaf}", nameOf(pathOf(dir).parent_path().filename())}};
    for (const auto& [token, text] : fills) {
        if (const std::size_t at = pattern.find(token); at != std::string::npos)
            pattern.replace(at, token.size(), text);
    }
    return pattern;
}

struct NameCase
{
    const char* name;
    std::string spelling;
    std::int32_t code;
};

class NameFailure : public testing::TestWithParam<NameCase>
{
};

// No file made or changed: a name is never guessed at, nor cut short. (The
// system's own codes for names reach the user as the command's rows show.)
TEST_P(NameFailure, OpenAndCreateRaiseTheCodeAndMakeNothing)
{
    const WorkingFolder folder;
    folder.write("in.mdb", Bytes);
    LineReader reader(systemFiles);
    EXPECT_EQ(inOutCodeOf([&] { reader.open(GetParam().spelling); }), GetParam().code);
    LineWriter writer(systemFiles);
    EXPECT_EQ(inOutCodeOf([&] { writer.create(GetParam().spelling); }), GetParam().code);
    EXPECT_EQ(namesIn(folder), std::vector<std::wstring> {L"in.mdb"});
    EXPECT_EQ(folder.read("in.mdb"), Bytes);
}

// ñandú.mdb in Latin-1.
INSTANTIATE_TEST_SUITE_P(, NameFailure,
                         testing::Values(NameCase {"NulCutsNothingShort", std::string("in.mdb\0.bak", 11), 123},
                                         NameCase {"Latin1IsNoUtf8", "\361and\372.mdb", 1113}),
                         [](const auto& info) { return info.param.name; });

struct LeadCase
{
    const char* name;
    std::string spelling;
    std::wstring file; // the file that holds the line, as Windows names it; empty: a device, no file
};

class NameLeadsTo : public testing::TestWithParam<LeadCase>
{
};

// Windows alone decides where a name leads: the line written by that name
// reaches the file Windows chose, by the letters given, and is read back by it.
TEST_P(NameLeadsTo, FileThatWindowsChooses)
{
    const WorkingFolder folder;
    const std::string name = spelled(GetParam().spelling, folder);
    LineWriter writer(systemFiles);
    writer.create(name);
    writer.writeLine("574C");
    writer.close();
    const bool device = GetParam().file.empty();
    EXPECT_EQ(namesIn(folder), device ? std::vector<std::wstring> {} : std::vector {GetParam().file});
    LineReader reader(systemFiles);
    reader.open(name);
    EXPECT_EQ(linesOf(reader), device ? "" : "574C|");
    reader.close();
    // By the name that made it: "out.mdb." has no other, and the folder's removal would stop at it.
    DeleteFileW(wide(name).c_str());
}

INSTANTIATE_TEST_SUITE_P(, NameLeadsTo,
                         testing::Values(LeadCase {"DriveLetterAndBackslashes", "{dir}out.mdb", L"out.mdb"},
                                         LeadCase {"ForwardSlashes", "{dir/}out.mdb", L"out.mdb"},
                                         LeadCase {"RootedWithoutDrive", "{rooted}out.mdb", L"out.mdb"},
                                         LeadCase {"DriveRelative", "{drive}out.mdb", L"out.mdb"},
                                         LeadCase {"DotRelative", ".\\out.mdb", L"out.mdb"},
                                         LeadCase {"ParentRelative", "..\\{leaf}\\out.mdb", L"out.mdb"},
                                         LeadCase {"ExtendedLength", "\\\\?\\{dir}out.mdb", L"out.mdb"},
                                         LeadCase {"FinalDotDropped", "out.mdb.", L"out.mdb"},
                                         LeadCase {"FinalBlankDropped", "out.mdb ", L"out.mdb"},
                                         LeadCase {"FinalDotKeptByExtendedLength", "\\\\?\\{dir}out.mdb.", L"out.mdb."},
                                         LeadCase {"Spanish", "ñandú.mdb", L"ñandú.mdb"},
                                         LeadCase {"Greek", "Σ.mdb", L"Σ.mdb"},
                                         LeadCase {"Japanese", "日本.mdb", L"日本.mdb"},
                                         LeadCase {"BeyondTheBasicPlane", "𝄞.mdb", L"𝄞.mdb"},
                                         LeadCase {"NullDevice", "NUL", L""}),
                         [](const auto& info) { return info.param.name; });

struct SpellingCase
{
    const char* name;
    std::string spelling; // {short}: the 8.3 name Windows gives the file
    bool hardLink = false; // the spelling made a hard link to the file first
};

class SharingRule : public testing::TestWithParam<SpellingCase>
{
};

// The file a reader holds cannot be created by any other spelling of its name,
// and it keeps every byte: Windows' share mode, whatever the letters.
TEST_P(SharingRule, CreateOfAFileHeldByAReaderFailsWhateverItsSpelling)
{
    const WorkingFolder folder;
    const std::string held = folder.write("Puntos de ruta.mdb", Bytes);
    std::string other = spelled(GetParam().spelling, folder);
    if (GetParam().hardLink) {
        ASSERT_TRUE(CreateHardLinkW(wide(other).c_str(), wide(held).c_str(), nullptr));
    }
    if (other == "{short}") {
        std::wstring shortName(MAX_PATH, L'\0');
        shortName.resize(GetShortPathNameW(wide(held).c_str(), shortName.data(), MAX_PATH));
        other = utf8Name(shortName);
        ASSERT_EQ(other.find("Puntos de ruta"), std::string::npos) << other;
    }
    LineReader reader(systemFiles);
    reader.open(held);
    LineWriter writer(systemFiles);
    EXPECT_EQ(inOutCodeOf([&] { writer.create(other); }), 32);
    EXPECT_EQ(folder.read("Puntos de ruta.mdb"), Bytes);
    EXPECT_EQ(linesOf(reader), "574C|A|B|");
}

INSTANTIATE_TEST_SUITE_P(, SharingRule,
                         testing::Values(SpellingCase {"LetterCase", "{dir}PUNTOS DE RUTA.MDB"},
                                         SpellingCase {"ShortName", "{short}"},
                                         SpellingCase {"ForwardSlashes", "{dir/}Puntos de ruta.mdb"},
                                         SpellingCase {"DotRelative", ".\\Puntos de ruta.mdb"},
                                         SpellingCase {"ParentRelative", "..\\{leaf}\\Puntos de ruta.mdb"},
                                         SpellingCase {"ExtendedLength", "\\\\?\\{dir}Puntos de ruta.mdb"},
                                         SpellingCase {"FinalDot", "Puntos de ruta.mdb."},
                                         SpellingCase {"FinalBlank", "Puntos de ruta.mdb "},
                                         SpellingCase {"HardLink", "enlace.mdb", true}),
                         [](const auto& info) { return info.param.name; });

// Another program holding a file, until the object ends.
class HeldFile final
{
public:
    HeldFile(const wchar_t* access, const wchar_t* share, const std::string& name)
    {
        HANDLE input = nullptr;
        HANDLE output = nullptr;
        CreatePipe(&input, &m_input, nullptr, 0);
        CreatePipe(&m_output, &output, nullptr, 0);
        m_process = startProgram(commandLine(besideThisProgram(L"file_holder.exe"), {access, share, wide(name)}), input,
                                 output, nullptr);
        CloseHandle(input);
        CloseHandle(output);
        std::string said(5, '\0');
        DWORD count = 0;
        for (DWORD got = 0; got < said.size(); got += count) {
            if (!ReadFile(m_output, said.data() + got, static_cast<DWORD>(said.size()) - got, &count, nullptr)
                || count == 0)
                break;
        }
        m_held = said == "held\n";
    }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    // Its input ends, and it lets go of the file.
    ~HeldFile()
    {
        CloseHandle(m_input);
        CloseHandle(m_output);
        if (m_process)
            waitForExit(m_process);
    }

    bool held() const { return m_held; }

private:
    HANDLE m_input = nullptr;
    HANDLE m_output = nullptr;
    HANDLE m_process = nullptr;
    bool m_held = false;
};

struct HolderCase
{
    const char* name;
    const wchar_t* access;
    const wchar_t* share;
    std::int32_t openCode;
    std::int32_t createCode;
};

class HeldByAnotherProgram : public testing::TestWithParam<HolderCase>
{
};

// A reader needs the other program to let others read and to be no writer; a
// writer needs it to let others write and to be neither a writer nor a reader
// who keeps writers out.
TEST_P(HeldByAnotherProgram, OpenAndCreateAsTheShareModesAllow)
{
    const HolderCase& row = GetParam();
    const TemporaryFolder folder;
    const std::string name = folder.write("held.mdb", Bytes);
    {
        const HeldFile other(row.access, row.share, name);
        ASSERT_TRUE(other.held());
        LineReader reader(systemFiles);
        EXPECT_EQ(inOutCodeOf([&] { reader.open(name); }), row.openCode);
        if (reader.isOpen()) {
            EXPECT_EQ(linesOf(reader), "574C|A|B|");
            reader.close();
        }
        LineWriter writer(systemFiles);
        EXPECT_EQ(inOutCodeOf([&] { writer.create(name); }), row.createCode);
        if (writer.isOpen())
            writer.close();
    }
    EXPECT_EQ(folder.read("held.mdb"), row.createCode ? Bytes : "");
}

INSTANTIATE_TEST_SUITE_P(, HeldByAnotherProgram,
                         testing::Values(HolderCase {"ReaderLettingOthersRead", L"r", L"r", 0, 32},
                                         HolderCase {"ReaderLettingOthersReadAndWrite", L"r", L"rw", 0, 0},
                                         HolderCase {"ReaderLettingNobody", L"r", L"-", 32, 32},
                                         HolderCase {"WriterLettingOthersRead", L"w", L"r", 32, 32},
                                         HolderCase {"WriterLettingOthersReadAndWrite", L"w", L"rw", 32, 32}),
                         [](const auto& info) { return info.param.name; });

TEST(ReservedName, ConsoleWithoutOneIsAnInvalidHandle)
{
    if (GetConsoleOutputCP() != 0)
        GTEST_SKIP() << "a console is attached: CON is that console";
    const WorkingFolder folder;
    LineWriter writer(systemFiles);
    EXPECT_EQ(inOutCodeOf([&] { writer.create("CON"); }), 6);
    EXPECT_EQ(namesIn(folder), std::vector<std::wstring> {});
}

// Opened and closed only: a serial port of the machine may stand behind it.
TEST(ReservedName, SerialPortIsTheDeviceNotAFile)
{
    const WorkingFolder folder;
    const HANDLE device
        = CreateFileW(L"\\\\.\\COM1", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    const auto deviceCode = device == INVALID_HANDLE_VALUE ? static_cast<std::int32_t>(GetLastError()) : 0;
    if (device != INVALID_HANDLE_VALUE)
        CloseHandle(device);
    LineReader reader(systemFiles);
    EXPECT_EQ(inOutCodeOf([&] { reader.open("COM1"); }), deviceCode);
}

} // namespace
