#include "category_table.h"
#include "command_line.h"

#include <gtest/gtest.h>

namespace {

using Arguments = std::vector<std::string>;

struct UsageCase
{
    const char* name;
    Arguments arguments;
    std::string reason;
};

class UsageError : public testing::TestWithParam<UsageCase>
{
};

TEST_P(UsageError, IsRefusedWithItsReason)
{
    const auto parsed = parseCommandLine(GetParam().arguments);
    const auto* error = std::get_if<CommandLineError>(&parsed);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->reason, GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(
    , UsageError,
    testing::Values(
        UsageCase {"NoOperands", {}, "faltan ORIGEN y DESTINO"},
        UsageCase {"OneOperand", {"a.mdb"}, "falta DESTINO después de «a.mdb»"},
        UsageCase {"ThreeOperands", {"a.mdb", "b.mdb", "c.mdb"}, "sobra el operando «c.mdb»"},
        UsageCase {"UnknownOption", {"--quietly", "a.mdb", "b.mdb"}, "opción no reconocida «--quietly»"},
        UsageCase {"UnknownLetterAfterAFlag", {"-qx", "a.mdb", "b.mdb"}, "opción no reconocida «-x»"},
        UsageCase {"UnknownIdentifier", {"--keep=RF,XX", "a.mdb", "b.mdb"}, "categoría desconocida «XX»"},
        UsageCase {"OperandTakenAsList", {"-k", "a.mdb", "b.mdb"}, "categoría desconocida «a.mdb»"},
        UsageCase {"DashNameWithoutDoubleDash", {"-a.mdb", "b.mdb"}, "opción no reconocida «-a»"},
        UsageCase {"ErrorBeforeHelp", {"--bogus", "--help"}, "opción no reconocida «--bogus»"},
        UsageCase {"IdentifierWithBlank", {"--keep= RF", "a.mdb", "b.mdb"}, "categoría desconocida « RF»"},
        UsageCase {"MissingValue", {"a.mdb", "b.mdb", "--speed"}, "la opción «--speed» requiere un argumento"},
        UsageCase {"MissingValueAfterFlags", {"a.mdb", "b.mdb", "-qk"}, "la opción «-k» requiere un argumento"},
        UsageCase {"ValueForAFlag", {"--summ=yes", "a.mdb", "b.mdb"}, "la opción «--summary» no admite argumentos"},
        UsageCase {"LongOptionPrefix", {"--keeps=RF", "a.mdb", "b.mdb"}, "opción no reconocida «--keeps=RF»"},
        UsageCase {"AmbiguousAbbreviation",
                   {"--s", "RF", "a.mdb", "b.mdb"},
                   "la opción «--s» es ambigua; posibilidades: «--speed» «--summary»"},
        UsageCase {"CountWithTwoOperands", {"--count", "a.mdb", "b.mdb"}, "sobra el operando «b.mdb»"},
        UsageCase {"CountWithoutOperand", {"--count"}, "falta ORIGEN"},
        UsageCase {"CountWithKeep", {"--count", "-kRF", "a.mdb"}, "«--count» no se combina con «--keep»"},
        UsageCase {"CountWithSummary", {"--count", "--summary", "a.mdb"}, "«--count» no se combina con «--summary»"},
        UsageCase {"SummaryWithOneOperand", {"--summary", "a.mdb"}, "falta DESTINO después de «a.mdb»"}),
    [](const auto& info) { return info.param.name; });

// The twelve flags as "RF RM TC PP PN ZE / RF1 … ZE1", one digit each.
std::string flags(const RunOptions& options)
{
    std::string keeps, speeds;
    for (const PointCategory category : PointCategories) {
        keeps += options.keeps(category) ? '1' : '0';
        speeds += options.keepsSpeedWarning(category) ? '1' : '0';
    }
    return keeps + '/' + speeds;
}

struct FormCase
{
    const char* name;
    Arguments arguments;
    const char* flags;
};

class AcceptedForm : public testing::TestWithParam<FormCase>
{
};

TEST_P(AcceptedForm, SetsTheFlagsAndKeepsTheOperands)
{
    const auto parsed = parseCommandLine(GetParam().arguments);
    const auto* commandLine = std::get_if<CommandLine>(&parsed);
    ASSERT_TRUE(commandLine) << std::get<CommandLineError>(parsed).reason;
    EXPECT_EQ(commandLine->action, CommandLine::Action::Run);
    EXPECT_EQ(flags(commandLine->options), GetParam().flags);
    EXPECT_EQ(commandLine->source, "\"a b.mdb\"");
    EXPECT_EQ(commandLine->destination, "-c.mdb");
}

INSTANTIATE_TEST_SUITE_P(
    , AcceptedForm,
    testing::Values(
        FormCase {"Defaults", {"\"a b.mdb\"", "--", "-c.mdb"}, "111111/111111"},
        FormCase {"KeepRF", {"-kRF", "\"a b.mdb\"", "--", "-c.mdb"}, "100000/111111"},
        FormCase {"KeepRM", {"-kRM", "\"a b.mdb\"", "--", "-c.mdb"}, "010000/111111"},
        FormCase {"KeepTC", {"-kTC", "\"a b.mdb\"", "--", "-c.mdb"}, "001000/111111"},
        FormCase {"KeepPP", {"-kPP", "\"a b.mdb\"", "--", "-c.mdb"}, "000100/111111"},
        FormCase {"KeepPN", {"-kPN", "\"a b.mdb\"", "--", "-c.mdb"}, "000010/111111"},
        FormCase {"KeepZE", {"-kZE", "\"a b.mdb\"", "--", "-c.mdb"}, "000001/111111"},
        FormCase {"SpeedRF", {"-sRF", "\"a b.mdb\"", "--", "-c.mdb"}, "111111/100000"},
        FormCase {"SpeedRM", {"-sRM", "\"a b.mdb\"", "--", "-c.mdb"}, "111111/010000"},
        FormCase {"SpeedTC", {"-sTC", "\"a b.mdb\"", "--", "-c.mdb"}, "111111/001000"},
        FormCase {"SpeedPP", {"-sPP", "\"a b.mdb\"", "--", "-c.mdb"}, "111111/000100"},
        FormCase {"SpeedPN", {"-sPN", "\"a b.mdb\"", "--", "-c.mdb"}, "111111/000010"},
        FormCase {"SpeedZE", {"-sZE", "\"a b.mdb\"", "--", "-c.mdb"}, "111111/000001"},
        FormCase {"KeepMixedCase", {"--keep=RF,pn", "\"a b.mdb\"", "--", "-c.mdb"}, "100010/111111"},
        FormCase {"KeepEveryIdentifier", {"-krf,rm,tc,pp,pn,ze", "\"a b.mdb\"", "--", "-c.mdb"}, "111111/111111"},
        FormCase {"SpeedRepeatedIdentifier", {"-s", "tc,TC", "\"a b.mdb\"", "--", "-c.mdb"}, "111111/001000"},
        FormCase {"EmptyItemsPassedOver", {"--keep=,RF,,ZE,", "\"a b.mdb\"", "--", "-c.mdb"}, "100001/111111"},
        FormCase {"BothEmpty", {"--keep", "", "--speed=", "\"a b.mdb\"", "--", "-c.mdb"}, "000000/000000"},
        FormCase {"LongOptionsAbbreviated", {"--ke=RF", "--sp", "PN", "\"a b.mdb\"", "--", "-c.mdb"}, "100000/000010"},
        FormCase {"LettersShareAnArgument", {"-qkRF,PN", "\"a b.mdb\"", "--", "-c.mdb"}, "100010/111111"},
        FormCase {"LastOfEachWins",
                  {"-kRF", "-sPP", "\"a b.mdb\"", "--keep=ZE", "--speed", "PN", "--", "-c.mdb"},
                  "000001/000010"}),
    [](const auto& info) { return info.param.name; });

} // namespace
