#include "category_table.h"
#include "command_line.h"
#include "command_outcome.h"
#include "sample_points.h"
#include "version.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace {

bool exists(const TemporaryFolder& folder, const std::string& name)
{
    return std::filesystem::exists(std::filesystem::symlink_status(folder.path(name)));
}

const std::string CompletedOut = "¡¡Fichero finalizado!!\n"
                                 "\n"
                                 "Este nuevo fichero de datos le servirá\n"
                                 "para cargar su Rumbelo o Pitovan con\n"
                                 "los datos que Vd. desea.\n";

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

    const Outcome outcome = runInProcess(row.arguments, folder);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, CompletedOut);
    EXPECT_EQ(outcome.err, row.err);
    EXPECT_EQ(folder.read(row.destinationName), row.destination);
    EXPECT_EQ(folder.read(row.sourceName), row.source);
}

INSTANTIATE_TEST_SUITE_P(
    , CompletedRun,
    testing::Values(
        CompletedCase {"PitovanKeepsEveryCategory", {Pm, Sm}, Pm, PitovanSource, Sm, PitovanAll},
        CompletedCase {"RumbeloKeepsEveryCategory", {Pt, St}, Pt, RumbeloSource, St, RumbeloAll},
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
        CompletedCase {"SpeedBeforeAnotherFilterOptionStillWarns",
                       {"--speed=RF", "--keep=RF", Pt, St},
                       Pt,
                       RumbeloSource,
                       St,
                       crlf({RumbeloHeader, RumbeloSecond, Marker, RumRF, Marker}),
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

#ifndef _WIN32
// Windows names hold no double quote.
INSTANTIATE_TEST_SUITE_P(Posix, CompletedRun,
                         testing::Values(CompletedCase {"NamesWithBlanksAndDoubleQuotes",
                                                        {"mis \"puntos\".mdb", "\"mi salida.mdb\""},
                                                        "mis \"puntos\".mdb",
                                                        PitovanSource,
                                                        "\"mi salida.mdb\"",
                                                        PitovanAll}),
                         [](const auto& info) { return info.param.name; });
#endif

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

    const Outcome outcome = runInProcess(row.arguments, folder);
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

// The quote reaches the system: Linux finds no file of that name, Windows takes no such name.
#ifdef _WIN32
const std::string QuoteInName = "cribaxon-filter: «a\"b.mdb»: Error de E/S 123.\n";
#else
const std::string QuoteInName = "cribaxon-filter: «a\"b.mdb»: No se encuentra el archivo.\n";
#endif

class FileFailure : public testing::TestWithParam<FailureCase>
{
};

TEST_P(FileFailure, ShowsTheErrorBoxTextOnStandardError)
{
    const TemporaryFolder folder;
    GetParam().prepare(folder);
    const Outcome outcome = runInProcess(GetParam().arguments, folder);
    EXPECT_EQ(outcome.status, 3);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, GetParam().err);
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
                     QuoteInName},
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
                     "cribaxon-filter: «nada/salida.mdb»: Nombre de archivo inválido.\n"}),
    [](const auto& info) { return info.param.name; });

#ifndef _WIN32
INSTANTIATE_TEST_SUITE_P(Posix, FileFailure,
                         testing::Values(FailureCase {"DestinationOnAFullDevice",
                                                      {Pm, "full.mdb"},
                                                      [](const TemporaryFolder& folder) {
                                                          pitovanSource(folder);
                                                          std::filesystem::create_symlink("/dev/full",
                                                                                          folder.path("full.mdb"));
                                                      },
                                                      "cribaxon-filter: «full.mdb»: Error de E/S 112.\n"}),
                         [](const auto& info) { return info.param.name; });
#endif

TEST(FileFailureOutcome, DestinationNamingTheSourceLeavesItWhole)
{
    const TemporaryFolder folder;
    pitovanSource(folder);
    runInProcess({"-k", "", Pm, Pm}, folder);
    EXPECT_EQ(folder.read(Pm), PitovanSource);
}

// The reasons themselves are the parser's; here, that they reach standard error as two lines.
TEST(UsageFault, SaysWhatWasWrongAndTouchesNoFile)
{
    for (const Arguments& arguments : {Arguments {}, Arguments {"--keep=RF,XX", Pm, Sm}}) {
        const TemporaryFolder folder;
        pitovanSource(folder);
        const Outcome outcome = runInProcess(arguments, folder);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.out, "");
        EXPECT_TRUE(outcome.err.starts_with("cribaxon-filter: ")) << outcome.err;
        EXPECT_TRUE(outcome.err.ends_with(std::string("\ncribaxon-filter: ") + TryHelpLine + "\n")) << outcome.err;
        EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 2) << outcome.err;
        EXPECT_FALSE(exists(folder, Sm));
    }
}

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
    const Outcome outcome = runInProcess(GetParam().arguments, folder);
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
    const Outcome outcome = runInProcess(row.arguments, folder);
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
