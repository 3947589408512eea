#include "category_table.h"
#include "command_line.h"
#include "temporary_folder.h"
#include "test_files.h"
#include "version.h"

#include <algorithm>
#include <cctype>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Arguments = std::vector<std::string>;

enum class Stdout
{
    File,
    ClosedPipe,
    DevFull,
    Closed,
};

struct Outcome
{
    bool exited = false;
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the built program in the folder, its standard output as chosen and its
// standard error caught, SIGPIPE at its default as a shell would leave it.
Outcome runFilter(const Arguments& arguments, const TemporaryFolder& folder, Stdout target = Stdout::File)
{
    const TemporaryFolder capture;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.path("").c_str());
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, capture.path("err").c_str(), O_WRONLY | O_CREAT, 0600);
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

bool exists(const TemporaryFolder& folder, const std::string& name)
{
    return std::filesystem::exists(std::filesystem::symlink_status(folder.path(name)));
}

const std::string CompletedOut = "¡¡Fichero finalizado!!\n"
                                 "\n"
                                 "Este nuevo fichero de datos le servirá\n"
                                 "para cargar su Rumbelo o Pitovan con\n"
                                 "los datos que Vd. desea.\n";

// Pitovan records: 14 characters of point data, the speed digit, the type digit, a tail.
std::string pitovan(const char* data, char speed, char type, const char* tail)
{
    return std::string(data) + speed + type + tail;
}

const std::string PitovanHeader = "574C0003PITOVAN 2024";
const std::string PitRF = pitovan("-0370379+40416", '9', '1', "0500120");
const std::string PitRM = pitovan("-0370100+40420", '8', '2', "0900");
const std::string PitTC3 = pitovan("-0370200+40430", '7', '3', "");
const std::string PitTC4 = pitovan("-0370300+40440", '6', '4', "12");
const std::string PitPP = pitovan("-0370400+40450", '5', '5', "AB");
const std::string PitZE = pitovan("-0370500+40460", '3', '6', "1");
const std::string PitPN = pitovan("-0370600+40470", '9', '7', "0000");
const std::string PitNone = pitovan("-0370700+40480", '9', '8', "0000");
const std::string PitShort = "-0370800+404909";

std::string blanked(const std::string& record)
{
    return record.substr(0, 14) + '0' + record[15];
}

const std::string PitovanSource
    = crlf({PitovanHeader, PitRF, PitRM, "", PitTC3, PitTC4, PitPP, PitShort, PitZE, PitNone, PitPN});
const std::string PitovanAll = crlf({PitovanHeader, PitRF, PitRM, PitTC3, PitTC4, PitPP, PitZE, PitPN});

// Rumbelo records: 14 characters, the type code in columns 15-16, a tail.
std::string rumbelo(const char* data, const char* code, const char* tail)
{
    return std::string(data) + code + tail;
}

const std::string RumbeloHeader = "4348 RUMBELO";
const std::string RumbeloSecond = "V2 20240101";
const std::string Marker = "FFFFFFFFFF0000000000";
const std::string RumRF = rumbelo("03703790404160", "06", "120");
const std::string RumRM = rumbelo("03701000404200", "07", "90");
const std::string RumTC8 = rumbelo("03702000404300", "08", "");
const std::string RumTCD = rumbelo("03703000404400", "0D", "5");
const std::string RumPP = rumbelo("03704000404500", "09", "50");
const std::string RumPN = rumbelo("03705000404600", "0A", "");
const std::string RumZE = rumbelo("03706000404700", "0B", "30");
const std::string RumLowerD = rumbelo("03707000404800", "0d", "");
const std::string RumNone = rumbelo("03708000404900", "0C", "");

const std::string RumbeloSource = crlf({RumbeloHeader, RumbeloSecond, Marker, RumRF, RumRM, RumTC8, RumLowerD, RumTCD,
                                        "", RumPP, Marker, RumPN, RumNone, RumZE});
const std::string RumbeloAll
    = crlf({RumbeloHeader, RumbeloSecond, Marker, RumRF, RumRM, RumTC8, RumTCD, RumPP, Marker, RumPN, RumZE});

struct CompletedCase
{
    const char* name;
    Arguments arguments;
    std::string sourceName;
    std::string source;
    std::string destinationName;
    std::string destination;
    std::string err {};
};

class CompletedRun : public testing::TestWithParam<CompletedCase>
{
};

TEST_P(CompletedRun, WritesTheDestinationAndTheCompletionMessage)
{
    const CompletedCase& row = GetParam();
    const TemporaryFolder folder;
    folder.write(row.sourceName, row.source);
    folder.write(row.destinationName, "an older and longer file that must go");

    const Outcome outcome = runFilter(row.arguments, folder);
    EXPECT_TRUE(outcome.exited);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, CompletedOut);
    EXPECT_EQ(outcome.err, row.err);
    EXPECT_EQ(folder.read(row.destinationName), row.destination);
    EXPECT_EQ(folder.read(row.sourceName), row.source);
}

const std::string Pm = "puntos.mdb";
const std::string Sm = "salida.mdb";
const std::string Pt = "puntos.txt";
const std::string St = "salida.txt";

INSTANTIATE_TEST_SUITE_P(
    , CompletedRun,
    testing::Values(
        CompletedCase {"PitovanKeepsEveryCategory", {Pm, Sm}, Pm, PitovanSource, Sm, PitovanAll},
        CompletedCase {"RumbeloKeepsEveryCategory", {Pt, St}, Pt, RumbeloSource, St, RumbeloAll},
        CompletedCase {
            "KeepWithEquals", {"--keep=RF,pn", Pm, Sm}, Pm, PitovanSource, Sm, crlf({PitovanHeader, PitRF, PitPN})},
        CompletedCase {"KeepShortSeparate", {"-k", "RF", Pm, Sm}, Pm, PitovanSource, Sm, crlf({PitovanHeader, PitRF})},
        CompletedCase {"KeepShortAttached", {"-kRF", Pm, Sm}, Pm, PitovanSource, Sm, crlf({PitovanHeader, PitRF})},
        CompletedCase {
            "KeepLongSeparate", {"--keep", "RF", Pm, Sm}, Pm, PitovanSource, Sm, crlf({PitovanHeader, PitRF})},
        CompletedCase {"KeepEmptyWithEquals", {"--keep=", Pm, Sm}, Pm, PitovanSource, Sm, crlf({PitovanHeader})},
        CompletedCase {"KeepEmptySeparate", {"-k", "", Pm, Sm}, Pm, PitovanSource, Sm, crlf({PitovanHeader})},
        CompletedCase {"KeepRepeatedLastWins",
                       {"--keep=RF", "-k", "ze", Pm, Sm},
                       Pm,
                       PitovanSource,
                       Sm,
                       crlf({PitovanHeader, PitZE})},
        CompletedCase {"KeepControlledStretchesBothDigits",
                       {"-kTC", Pm, Sm},
                       Pm,
                       PitovanSource,
                       Sm,
                       crlf({PitovanHeader, PitTC3, PitTC4})},
        CompletedCase {"SpeedKeptForOneCategory",
                       {"--speed=tc", Pm, Sm},
                       Pm,
                       PitovanSource,
                       Sm,
                       crlf({PitovanHeader, blanked(PitRF), blanked(PitRM), PitTC3, PitTC4, blanked(PitPP),
                             blanked(PitZE), blanked(PitPN)})},
        CompletedCase {"SpeedEmptyBlanksEveryRecord",
                       {"-s", "", "-k", "RM,ZE", Pm, Sm},
                       Pm,
                       PitovanSource,
                       Sm,
                       crlf({PitovanHeader, blanked(PitRM), blanked(PitZE)})},
        CompletedCase {"SpeedHasNoEffectOnRumbelo",
                       {"--speed=", Pt, St},
                       Pt,
                       RumbeloSource,
                       St,
                       RumbeloAll,
                       "cribaxon-filter: aviso: --speed no tiene efecto en un fichero de Rumbelo\n"},
        CompletedCase {"RumbeloKeepsMarkersWithNothingElse",
                       {"--keep=", Pt, St},
                       Pt,
                       RumbeloSource,
                       St,
                       crlf({RumbeloHeader, RumbeloSecond, Marker, Marker})},
        CompletedCase {"RumbeloControlledStretches",
                       {"-k", "Tc", Pt, St},
                       Pt,
                       RumbeloSource,
                       St,
                       crlf({RumbeloHeader, RumbeloSecond, Marker, RumTC8, RumTCD, Marker})},
        CompletedCase {"DoubleDashBeforeDashNames",
                       {"-kRF", "--", "-puntos.mdb", "-salida.mdb"},
                       "-puntos.mdb",
                       PitovanSource,
                       "-salida.mdb",
                       crlf({PitovanHeader, PitRF})},
        CompletedCase {"OptionAfterOperands", {Pm, Sm, "-kRM"}, Pm, PitovanSource, Sm, crlf({PitovanHeader, PitRM})},
        CompletedCase {"NamesWithBlanksAndDoubleQuotes",
                       {"mis \"puntos\".mdb", "\"mi salida.mdb\""},
                       "mis \"puntos\".mdb",
                       PitovanSource,
                       "\"mi salida.mdb\"",
                       PitovanAll},
        CompletedCase {
            "CapitalExtensions", {"PUNTOS.TXT", "SALIDA.TXT"}, "PUNTOS.TXT", RumbeloSource, "SALIDA.TXT", RumbeloAll},
        CompletedCase {"EndMarkEndsTheSourceEarly",
                       {"-kRF", Pm, Sm},
                       Pm,
                       crlf({PitovanHeader, PitRF}) + PitRF + "\x1a" + crlf({PitRM, PitRF}),
                       Sm,
                       crlf({PitovanHeader, PitRF, PitRF})},
        CompletedCase {"PitovanHeaderOnly", {Pm, Sm}, Pm, PitovanHeader, Sm, crlf({PitovanHeader})}),
    [](const auto& info) { return info.param.name; });

struct RejectedCase
{
    const char* name;
    Arguments arguments;
    std::string sourceName;
    std::string source;
    std::string message;
    bool destinationExists;
};

class RejectedRun : public testing::TestWithParam<RejectedCase>
{
};

// Whatever the rejection, the destination is left exactly as it was.
TEST_P(RejectedRun, ReportsOnStandardErrorAndLeavesTheDestination)
{
    const RejectedCase& row = GetParam();
    const TemporaryFolder folder;
    folder.write(row.sourceName, row.source);
    const std::string destinationName = row.arguments.back();
    const std::string older = "an older file of the user's";
    if (row.destinationExists)
        folder.write(destinationName, older);

    const Outcome outcome = runFilter(row.arguments, folder);
    EXPECT_TRUE(outcome.exited);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, row.message);
    if (row.destinationExists) {
        EXPECT_EQ(folder.read(destinationName), older);
    } else {
        EXPECT_FALSE(exists(folder, destinationName));
    }
}

const std::string SourceRejected = "cribaxon-filter: No ha seleccionado un fichero origen de datos válido!\n";
const std::string DestinationRejected = "cribaxon-filter: No ha seleccionado un fichero final de datos válido!\n";
const std::string PitovanRejected = "cribaxon-filter: ¡Fichero de Pitovan no válido!\n";
const std::string RumbeloRejected = "cribaxon-filter: ¡Fichero de Rumbelo no válido!\n";

INSTANTIATE_TEST_SUITE_P(
    , RejectedRun,
    testing::Values(
        RejectedCase {"SourceOfNoFamily", {"puntos.dat", Sm}, "puntos.dat", PitovanSource, SourceRejected, false},
        RejectedCase {"LoneDashIsAName", {"-", Sm}, "-", PitovanSource, SourceRejected, false},
        RejectedCase {"DestinationOfTheOtherFamily", {Pt, Sm}, Pt, RumbeloSource, DestinationRejected, true},
        RejectedCase {"PitovanToRumbelo", {Pm, St}, Pm, PitovanSource, DestinationRejected, false},
        RejectedCase {"PitovanHeaderInLowerCase", {Pm, Sm}, Pm, crlf({"574c0003", PitRF}), PitovanRejected, false},
        RejectedCase {
            "PitovanHeaderKeepsExistingDestination", {Pm, Sm}, Pm, crlf({"4348", PitRF}), PitovanRejected, true},
        RejectedCase {"RumbeloHeaderWrong", {Pt, St}, Pt, crlf({"574C", RumbeloSecond, RumRF}), RumbeloRejected, true},
        RejectedCase {"EmptySource", {Pm, Sm}, Pm, "", PitovanRejected, false}),
    [](const auto& info) { return info.param.name; });

struct FailureCase
{
    const char* name;
    Arguments arguments;
    std::function<void(const TemporaryFolder&)> prepare;
    std::string err;
};

class FileFailure : public testing::TestWithParam<FailureCase>
{
};

TEST_P(FileFailure, ShowsTheErrorBoxTextOnStandardError)
{
    const TemporaryFolder folder;
    GetParam().prepare(folder);
    const Outcome outcome = runFilter(GetParam().arguments, folder);
    EXPECT_TRUE(outcome.exited);
    EXPECT_EQ(outcome.status, 3);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, GetParam().err);
}

void pitovanSource(const TemporaryFolder& folder)
{
    folder.write(Pm, PitovanSource);
}

INSTANTIATE_TEST_SUITE_P(
    , FileFailure,
    testing::Values(
        FailureCase {"MissingSource",
                     {Pm, Sm},
                     [](const TemporaryFolder&) {},
                     "cribaxon-filter: «puntos.mdb»: No se encuentra el archivo.\n"},
        FailureCase {"DoubleQuoteIsPartOfTheName",
                     {"a\"b.mdb", Sm},
                     [](const TemporaryFolder& folder) { folder.write("ab.mdb", PitovanSource); },
                     "cribaxon-filter: «a\"b.mdb»: No se encuentra el archivo.\n"},
        FailureCase {"MissingFolderOfSource",
                     {"nada/puntos.mdb", Sm},
                     [](const TemporaryFolder&) {},
                     "cribaxon-filter: «nada/puntos.mdb»: Nombre de archivo inválido.\n"},
        FailureCase {"SourceIsAFolder",
                     {Pm, Sm},
                     [](const TemporaryFolder& folder) { std::filesystem::create_directory(folder.path(Pm)); },
                     "cribaxon-filter: «puntos.mdb»: Acceso al archivo denegado.\n"},
        FailureCase {
            "DestinationIsTheSource", {Pm, Pm}, pitovanSource, "cribaxon-filter: «puntos.mdb»: Error de E/S 32.\n"},
        FailureCase {"DestinationIsAFolder",
                     {Pm, Sm},
                     [](const TemporaryFolder& folder) {
                         pitovanSource(folder);
                         std::filesystem::create_directory(folder.path(Sm));
                     },
                     "cribaxon-filter: «salida.mdb»: Acceso al archivo denegado.\n"},
        FailureCase {"DestinationInAMissingFolder",
                     {Pm, "nada/salida.mdb"},
                     pitovanSource,
                     "cribaxon-filter: «nada/salida.mdb»: Nombre de archivo inválido.\n"},
        FailureCase {"DestinationOnAFullDevice",
                     {Pm, "full.mdb"},
                     [](const TemporaryFolder& folder) {
                         pitovanSource(folder);
                         std::filesystem::create_symlink("/dev/full", folder.path("full.mdb"));
                     },
                     "cribaxon-filter: «full.mdb»: Error de E/S 112.\n"}),
    [](const auto& info) { return info.param.name; });

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

TEST(FileFailureOutcome, DestinationNamingTheSourceLeavesItWhole)
{
    const TemporaryFolder folder;
    pitovanSource(folder);
    runFilter({"-k", "", Pm, Pm}, folder);
    EXPECT_EQ(folder.read(Pm), PitovanSource);
}

struct UsageCase
{
    const char* name;
    Arguments arguments;
};

class UsageFault : public testing::TestWithParam<UsageCase>
{
};

// The reasons themselves are the parser's; here, that they reach standard error as two lines.
TEST_P(UsageFault, SaysWhatWasWrongAndTouchesNoFile)
{
    const TemporaryFolder folder;
    pitovanSource(folder);
    const Outcome outcome = runFilter(GetParam().arguments, folder);
    EXPECT_TRUE(outcome.exited);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, "");
    EXPECT_TRUE(outcome.err.starts_with("cribaxon-filter: ")) << outcome.err;
    EXPECT_TRUE(outcome.err.ends_with(std::string("\ncribaxon-filter: ") + TryHelpLine + "\n")) << outcome.err;
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 2) << outcome.err;
    EXPECT_FALSE(exists(folder, Sm));
}

INSTANTIATE_TEST_SUITE_P(, UsageFault,
                         testing::Values(UsageCase {"NoOperands", {}}, UsageCase {"OneOperand", {Pm}},
                                         UsageCase {"ThreeOperands", {Pm, Sm, "otra.mdb"}},
                                         UsageCase {"UnknownOption", {"--bogus", Pm, Sm}},
                                         UsageCase {"UnknownShortOption", {"-x", Pm, Sm}},
                                         UsageCase {"UnknownIdentifier", {"--keep=RF,XX", Pm, Sm}},
                                         UsageCase {"UnknownSpeedIdentifier", {"-sRF,P", Pm, Sm}},
                                         UsageCase {"KeepWithoutList", {Pm, Sm, "--keep"}},
                                         UsageCase {"SpeedWithoutList", {Pm, Sm, "-s"}},
                                         UsageCase {"OperandTakenAsList", {"-k", Pm, Sm}},
                                         UsageCase {"DashNameWithoutDoubleDash", {"-puntos.mdb", Sm}},
                                         UsageCase {"ErrorBeforeHelp", {"--bogus", "--help"}}),
                         [](const auto& info) { return info.param.name; });

const std::string Version = "cribaxon-filter " CRIBAXON_VERSION "\n";

struct InformationCase
{
    const char* name;
    Arguments arguments;
    std::string out;
};

class Information : public testing::TestWithParam<InformationCase>
{
};

TEST_P(Information, GoesToStandardOutput)
{
    const TemporaryFolder folder;
    pitovanSource(folder);
    const Outcome outcome = runFilter(GetParam().arguments, folder);
    EXPECT_TRUE(outcome.exited);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, GetParam().out);
    EXPECT_EQ(outcome.err, "");
    EXPECT_FALSE(exists(folder, Sm));
}

INSTANTIATE_TEST_SUITE_P(, Information,
                         testing::Values(InformationCase {"Help", {"--help"}, HelpText},
                                         InformationCase {"ShortHelp", {"-h"}, HelpText},
                                         InformationCase {"HelpBeforeOperands", {"--help", Pm, Sm}, HelpText},

                                         InformationCase {"HelpThenVersion", {"--help", "--version"}, HelpText},
                                         InformationCase {"VersionThenHelp", {"--vers", "--help"}, Version},
                                         InformationCase {"Version", {"--version"}, Version}),
                         [](const auto& info) { return info.param.name; });

TEST(HelpText, IsSpanishAndNamesEveryCategoryWithItsCaption)
{
    const std::string help = HelpText;
    EXPECT_EQ(help.substr(0, 20), "Uso: cribaxon-filter");
    for (const CategoryFacts& facts : CategoryTable) {
        std::string caption(facts.caption);
        caption[0] = static_cast<char>(std::tolower(caption[0])); // within a sentence
        EXPECT_NE(help.find(std::string(facts.identifier) + ' ' + caption), std::string::npos) << caption;
    }
}

struct BrokenOutputCase
{
    const char* name;
    Stdout target;
    Arguments arguments;
    std::string err;
};

class BrokenOutput : public testing::TestWithParam<BrokenOutputCase>
{
};

// The run itself is done by then: the destination is written whatever became of the message.
TEST_P(BrokenOutput, IsAFailureNotACrash)
{
    const TemporaryFolder folder;
    pitovanSource(folder);
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
        BrokenOutputCase {"HelpIntoClosedPipe", Stdout::ClosedPipe, {"--help"}, "cribaxon-filter: Error de E/S 109.\n"},
        BrokenOutputCase {
            "VersionIntoFullDevice", Stdout::DevFull, {"--version"}, "cribaxon-filter: Error de E/S 112.\n"}),
    [](const auto& info) { return info.param.name; });

struct ReportCase
{
    const char* name;
    Arguments arguments;
    std::string sourceName;
    std::string source;
    int status;
    std::string out;
    std::string err;
};

class RecordReport : public testing::TestWithParam<ReportCase>
{
};

// --summary adds to a completed run what became of the records; --count only reads.
TEST_P(RecordReport, TellsTheRecordsByCategory)
{
    const ReportCase& row = GetParam();
    const TemporaryFolder folder;
    if (!row.source.empty())
        folder.write(row.sourceName, row.source);
    const Outcome outcome = runFilter(row.arguments, folder);
    EXPECT_TRUE(outcome.exited);
    EXPECT_EQ(outcome.status, row.status);
    EXPECT_EQ(outcome.out, row.out);
    EXPECT_EQ(outcome.err, row.err);
    const bool counting = row.arguments.front() == "--count";
    EXPECT_EQ(exists(folder, Sm) || exists(folder, St), !counting && row.status == 0);
}

const std::string PitovanSummary = "RF\t1\t0\t1\tRadares fijos\n"
                                   "RM\t0\t1\t0\tRadares móviles\n"
                                   "TC\t2\t0\t0\tTramos controlados\n"
                                   "PP\t0\t1\t0\tPuntos peligrosos\n"
                                   "PN\t0\t1\t0\tPuntos negros\n"
                                   "ZE\t0\t1\t0\tZonas de niños\n"
                                   "SINCAT\t0\t3\t0\tRegistros sin categoría\n";
const std::string RumbeloSummary = "RF\t1\t0\t0\tRadares fijos\n"
                                   "RM\t1\t0\t0\tRadares móviles\n"
                                   "TC\t2\t0\t0\tTramos controlados\n"
                                   "PP\t1\t0\t0\tPuntos peligrosos\n"
                                   "PN\t1\t0\t0\tPuntos negros\n"
                                   "ZE\t1\t0\t0\tZonas de niños\n"
                                   "MARCAS\t2\t0\t0\tMarcadores de Rumbelo\n"
                                   "SINCAT\t0\t3\t0\tRegistros sin categoría\n";
const std::string Counts = "RF\t1\tRadares fijos\nRM\t1\tRadares móviles\nTC\t2\tTramos controlados\n"
                           "PP\t1\tPuntos peligrosos\nPN\t1\tPuntos negros\nZE\t1\tZonas de niños\n";
const std::string NotFound = "cribaxon-filter: «puntos.mdb»: No se encuentra el archivo.\n";

INSTANTIATE_TEST_SUITE_P(
    , RecordReport,
    testing::Values(
        ReportCase {"SummaryPitovan",
                    {"--summary", "-k", "RF,TC", "-s", "TC", Pm, Sm},
                    Pm,
                    PitovanSource,
                    0,
                    CompletedOut + PitovanSummary,
                    ""},
        ReportCase {"SummaryRumbelo", {Pt, St, "--summary"}, Pt, RumbeloSource, 0, CompletedOut + RumbeloSummary, ""},
        ReportCase {"QuietSummary",
                    {"-q", "--summ", "-k", "RF,TC", "-s", "TC", Pm, Sm},
                    Pm,
                    PitovanSource,
                    0,
                    PitovanSummary,
                    ""},
        ReportCase {"QuietRun", {"--quiet", Pt, St}, Pt, RumbeloSource, 0, "", ""},
        ReportCase {"SummaryAfterRejectedHeader", {"--summary", Pm, Sm}, Pm, crlf({"4348"}), 1, "", PitovanRejected},
        ReportCase {"SummaryAfterFileFailure", {"--summary", Pm, Sm}, Pm, "", 3, "", NotFound},
        ReportCase {
            "CountPitovan", {"--count", Pm}, Pm, PitovanSource, 0, Counts + "SINCAT\t3\tRegistros sin categoría\n", ""},
        ReportCase {"CountRumbelo",
                    {"--count", Pt},
                    Pt,
                    RumbeloSource,
                    0,
                    Counts + "MARCAS\t2\tMarcadores de Rumbelo\nSINCAT\t3\tRegistros sin categoría\n",
                    ""},
        ReportCase {"CountHeaderOnly",
                    {"--count", Pm},
                    Pm,
                    crlf({PitovanHeader}),
                    0,
                    "RF\t0\tRadares fijos\nRM\t0\tRadares móviles\nTC\t0\tTramos controlados\n"
                    "PP\t0\tPuntos peligrosos\nPN\t0\tPuntos negros\nZE\t0\tZonas de niños\n"
                    "SINCAT\t0\tRegistros sin categoría\n",
                    ""},
        ReportCase {"CountMissingSource", {"--count", Pm}, Pm, "", 3, "", NotFound},
        ReportCase {"CountRejectedName", {"--count", "puntos.dat"}, "puntos.dat", PitovanSource, 1, "", SourceRejected},
        ReportCase {"CountRejectedHeader", {"--count", Pt}, Pt, crlf({"574C"}), 1, "", RumbeloRejected}),
    [](const auto& info) { return info.param.name; });

} // namespace
