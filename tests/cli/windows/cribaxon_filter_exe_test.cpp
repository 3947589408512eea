#include "child_process.h"
#include "command_outcome.h"
#include "sample_points.h"
#include "utf16_names.h"

#include <filesystem>
#include <gtest/gtest.h>

// What only the program as a Windows process shows: its arguments in UTF-16,
// its exit status, and its standard output as a file, a pipe nobody reads,
// none, the null device, or one of its own files.

namespace {

enum class Stdout
{
    File,
    ClosedPipe,
    None,
    NullDevice,
    TheDestination, // as `> salida.mdb` opens it in cmd
    TheSource,
};

HANDLE openToWrite(const std::string& name, DWORD share)
{
    return CreateFileW(utf16Name(name)->c_str(), GENERIC_WRITE, share, nullptr, CREATE_ALWAYS, 0, nullptr);
}

// Runs cribaxon-filter.exe in the folder, its standard output as chosen and its standard error caught.
Outcome runFilter(const Arguments& arguments, const TemporaryFolder& folder, Stdout target = Stdout::File)
{
    const TemporaryFolder capture;
    const DWORD anyone = FILE_SHARE_READ | FILE_SHARE_WRITE;
    HANDLE output = nullptr;
    switch (target) {
    case Stdout::File:
        output = openToWrite(capture.path("out"), anyone);
        break;
    case Stdout::ClosedPipe: {
        HANDLE reading = nullptr;
        CreatePipe(&reading, &output, nullptr, 0);
        CloseHandle(reading);
        break;
    }
    case Stdout::None:
        break;
    case Stdout::NullDevice:
        output = openToWrite("NUL", anyone);
        break;
    case Stdout::TheDestination:
        output = openToWrite(folder.path(Sm), anyone);
        break;
    case Stdout::TheSource:
        output = openToWrite(folder.path(Pm), anyone);
        break;
    }
    const HANDLE input = CreateFileW(L"NUL", GENERIC_READ, anyone, nullptr, OPEN_EXISTING, 0, nullptr);
    const HANDLE error = openToWrite(capture.path("err"), anyone);
    std::vector<std::wstring> wideArguments;
    for (const std::string& argument : arguments)
        wideArguments.push_back(*utf16Name(argument));
    const HANDLE process = startProgram(commandLine(besideThisProgram(L"cribaxon-filter.exe"), wideArguments), input,
                                        output, error, *utf16Name(folder.path("")));
    for (const HANDLE handle : {input, output, error}) {
        if (handle)
            CloseHandle(handle);
    }
    Outcome outcome;
    EXPECT_NE(process, nullptr) << GetLastError();
    if (!process)
        return outcome;
    outcome.exited = true;
    outcome.status = static_cast<int>(waitForExit(process));
    outcome.out = capture.read("out");
    outcome.err = capture.read("err");
    return outcome;
}

struct ProcessCase
{
    const char* name;
    Arguments arguments;
    int status;
};

class ProcessExit : public testing::TestWithParam<ProcessCase>
{
};

// The program is the command: the same status and the same bytes as in-process, so as on Linux.
TEST_P(ProcessExit, EndsWithTheCommandsStatusAndWords)
{
    const TemporaryFolder folder;
    const TemporaryFolder inProcessFolder;
    pitovanSource(folder);
    pitovanSource(inProcessFolder);
    const Outcome outcome = runFilter(GetParam().arguments, folder);
    const Outcome inProcess = runInProcess(GetParam().arguments, inProcessFolder);
    EXPECT_EQ(outcome.status, GetParam().status);
    EXPECT_EQ(outcome.status, inProcess.status);
    EXPECT_EQ(outcome.out, inProcess.out);
    EXPECT_EQ(outcome.err, inProcess.err);
    EXPECT_EQ(folder.read(Sm), inProcessFolder.read(Sm));
}

INSTANTIATE_TEST_SUITE_P(, ProcessExit,
                         testing::Values(ProcessCase {"Completed", {"-s", "RF", Pm, Sm}, 0},
                                         ProcessCase {"Help", {"--help"}, 0},
                                         ProcessCase {"Rejected", {"puntos.dat", Sm}, 1},
                                         ProcessCase {"UsageError", {"--keep=RF,XX", Pm, Sm}, 2},
                                         ProcessCase {"FileFailure", {"falta.mdb", Sm}, 3}),
                         [](const auto& info) { return info.param.name; });

struct WideNameCase
{
    const char* name;
    std::string source; // made with a Pitovan source's bytes
    std::string destination;
    int status;
    std::string err;
};

class NameOutsideTheCodePage : public testing::TestWithParam<WideNameCase>
{
};

// Names reach the files, and the messages, letter for letter.
TEST_P(NameOutsideTheCodePage, ReachesTheFilesAndTheMessagesWhole)
{
    const WideNameCase& row = GetParam();
    const TemporaryFolder folder;
    folder.write(row.source, PitovanSource);
    const Outcome outcome = runFilter({"-q", row.source, row.destination}, folder);
    EXPECT_EQ(outcome.status, row.status);
    EXPECT_EQ(outcome.err, row.err);
    EXPECT_EQ(folder.read(row.destination), row.status == 0 ? PitovanAll : "");
}

INSTANTIATE_TEST_SUITE_P(, NameOutsideTheCodePage,
                         testing::Values(WideNameCase {"SpanishToGreek", "ñandú.mdb", "Σ.mdb", 0, ""},
                                         WideNameCase {"ToJapanese", Pm, "日本.mdb", 0, ""},
                                         WideNameCase {
                                             "MissingFolder", Pm, "ñandú/日本.mdb", 3,
                                             "cribaxon-filter: «ñandú/日本.mdb»: Nombre de archivo inválido.\n"}),
                         [](const auto& info) { return info.param.name; });

struct BrokenOutputCase
{
    const char* name;
    Stdout target;
    int status;
    std::string err;
    std::string source = PitovanSource; // after the run
    std::string destination = PitovanAll;
};

class BrokenOutput : public testing::TestWithParam<BrokenOutputCase>
{
};

// The run is done by the time its message fails, and a file that is the
// program's own output is held by it: Windows' share modes refuse it.
TEST_P(BrokenOutput, IsAFailureNotACrash)
{
    const BrokenOutputCase& row = GetParam();
    const TemporaryFolder folder;
    pitovanSource(folder);
    const Outcome outcome = runFilter({Pm, Sm}, folder, row.target);
    EXPECT_EQ(outcome.status, row.status);
    EXPECT_EQ(outcome.err, row.err);
    EXPECT_EQ(folder.read(Pm), row.source);
    EXPECT_EQ(folder.read(Sm), row.destination);
}

INSTANTIATE_TEST_SUITE_P(
    , BrokenOutput,
    testing::Values(BrokenOutputCase {"IntoAPipeNobodyReads", Stdout::ClosedPipe, 3,
                                      "cribaxon-filter: Error de E/S 232.\n"},
                    BrokenOutputCase {"WithoutOutput", Stdout::None, 3, "cribaxon-filter: Error de E/S 6.\n"},
                    BrokenOutputCase {"IntoTheNullDevice", Stdout::NullDevice, 0, ""},
                    BrokenOutputCase {"IntoTheDestination", Stdout::TheDestination, 3,
                                      "cribaxon-filter: «salida.mdb»: Error de E/S 32.\n", PitovanSource, ""},
                    BrokenOutputCase {"IntoTheSource", Stdout::TheSource, 3,
                                      "cribaxon-filter: «puntos.mdb»: Error de E/S 32.\n", "", ""}),
    [](const auto& info) { return info.param.name; });

} // namespace
