#include "command_outcome.h"
#include "sample_points.h"

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

// What only the program as a process shows: its exit, its standard output
// closed or full, the limits and the signals it meets.

namespace {

enum class Stdout
{
    File,
    ClosedPipe,
    DevFull,
    Closed,
    // Standard input and error too: no file the program opens may take their numbers.
    AllClosed,
};

// Runs the built program in the folder, its standard output as chosen and its
// standard error caught, SIGPIPE at its default as a shell would leave it.
Outcome runFilter(const Arguments& arguments, const TemporaryFolder& folder, Stdout target = Stdout::File)
{
    const TemporaryFolder capture;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.path("").c_str());
    if (target == Stdout::AllClosed) {
        posix_spawn_file_actions_addclose(&actions, 0);
        posix_spawn_file_actions_addclose(&actions, 2);
    } else {
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, capture.path("err").c_str(), O_WRONLY | O_CREAT, 0600);
    }
    int pipeEnds[2] = {-1, -1};
    switch (target) {
    case Stdout::File:
        posix_spawn_file_actions_addopen(&actions, 1, capture.path("out").c_str(), O_WRONLY | O_CREAT, 0600);
        break;
    case Stdout::ClosedPipe:
        // Nobody will ever read: the reading end is gone before the program starts.
        EXPECT_EQ(::pipe2(pipeEnds, O_CLOEXEC), 0);
        ::close(pipeEnds[0]);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
        break;
    case Stdout::DevFull:
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/full", O_WRONLY, 0);
        break;
    case Stdout::Closed:
    case Stdout::AllClosed:
        posix_spawn_file_actions_addclose(&actions, 1);
        break;
    }
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    std::vector<char*> argv {const_cast<char*>(CRIBAXON_FILTER)};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    Outcome outcome;
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, CRIBAXON_FILTER, &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (pipeEnds[1] >= 0)
        ::close(pipeEnds[1]);
    EXPECT_EQ(spawned, 0);
    if (spawned != 0)
        return outcome;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    outcome.exited = WIFEXITED(status);
    outcome.status = outcome.exited ? WEXITSTATUS(status) : -WTERMSIG(status);
    outcome.out = capture.read("out");
    outcome.err = capture.read("err");
    return outcome;
}

TEST(FileFailureOutcome, FileSizeLimitIsAWriteFailureNotASignal)
{
    const TemporaryFolder folder;
    std::string source = crlf({PitovanHeader});
    while (source.size() < 20000)
        source += crlf({PitRF});
    folder.write(Pm, source);
    rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &limited);
    const Outcome outcome = runFilter({Pm, Sm}, folder);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_TRUE(outcome.exited);
    EXPECT_EQ(outcome.status, 3);
    EXPECT_EQ(outcome.err, "cribaxon-filter: «salida.mdb»: Error de E/S 223.\n");
}

struct BrokenOutputCase
{
    const char* name;
    Stdout target;
    Arguments arguments;
    std::string err;
    bool destinationExists = false;
};

class BrokenOutput : public testing::TestWithParam<BrokenOutputCase>
{
};

// The run itself is done by then: the destination is written whatever became of the message.
TEST_P(BrokenOutput, IsAFailureNotACrash)
{
    const TemporaryFolder folder;
    pitovanSource(folder);
    if (GetParam().destinationExists)
        folder.write(Sm, "older");
    const Outcome outcome = runFilter(GetParam().arguments, folder, GetParam().target);
    EXPECT_TRUE(outcome.exited) << "killed by signal " << -outcome.status;
    EXPECT_EQ(outcome.status, 3);
    EXPECT_EQ(outcome.err, GetParam().err);
    if (GetParam().arguments.size() == 2) {
        EXPECT_EQ(folder.read(Sm), PitovanAll);
    }
}

INSTANTIATE_TEST_SUITE_P(
    , BrokenOutput,
    testing::Values(
        BrokenOutputCase {"RunIntoClosedPipe", Stdout::ClosedPipe, {Pm, Sm}, "cribaxon-filter: Error de E/S 109.\n"},
        BrokenOutputCase {"RunIntoFullDevice", Stdout::DevFull, {Pm, Sm}, "cribaxon-filter: Error de E/S 112.\n"},
        BrokenOutputCase {"RunWithOutputClosed", Stdout::Closed, {Pm, Sm}, "cribaxon-filter: Error de E/S 6.\n"},
        BrokenOutputCase {"RunWithEveryStreamClosed", Stdout::AllClosed, {Pm, Sm}, "", true},
        BrokenOutputCase {"HelpIntoClosedPipe", Stdout::ClosedPipe, {"--help"}, "cribaxon-filter: Error de E/S 109.\n"},
        BrokenOutputCase {
            "VersionIntoFullDevice", Stdout::DevFull, {"--version"}, "cribaxon-filter: Error de E/S 112.\n"}),
    [](const auto& info) { return info.param.name; });

struct ProcessCase
{
    const char* name;
    Arguments arguments;
    int status;
};

class ProcessExit : public testing::TestWithParam<ProcessCase>
{
};

// The program is the command: the same status and the same words as in-process.
TEST_P(ProcessExit, EndsWithTheCommandsStatusAndWords)
{
    const TemporaryFolder folder;
    const TemporaryFolder inProcessFolder;
    pitovanSource(folder);
    pitovanSource(inProcessFolder);
    const Outcome outcome = runFilter(GetParam().arguments, folder);
    const Outcome inProcess = runInProcess(GetParam().arguments, inProcessFolder);
    EXPECT_TRUE(outcome.exited);
    EXPECT_EQ(outcome.status, GetParam().status);
    EXPECT_EQ(outcome.status, inProcess.status);
    EXPECT_EQ(outcome.out, inProcess.out);
    EXPECT_EQ(outcome.err, inProcess.err);
}

INSTANTIATE_TEST_SUITE_P(, ProcessExit,
                         testing::Values(ProcessCase {"Completed", {Pm, Sm}, 0},
                                         ProcessCase {"Rejected", {"puntos.dat", Sm}, 1},
                                         ProcessCase {"UsageError", {}, 2},
                                         ProcessCase {"FileFailure", {"falta.mdb", Sm}, 3}),
                         [](const auto& info) { return info.param.name; });

} // namespace
