#include "command_line.h"

#include <gtest/gtest.h>

namespace {

using Arguments = std::vector<std::string>;

struct UsageCase
{
    const char* name;
    Arguments arguments;
};

class UsageError : public testing::TestWithParam<UsageCase>
{
};

TEST_P(UsageError, IsRefused)
{
    EXPECT_FALSE(parseCommandLine(GetParam().arguments));
}

INSTANTIATE_TEST_SUITE_P(, UsageError,
                         testing::Values(UsageCase {"NoOperands", {}}, UsageCase {"OneOperand", {"a.mdb"}},
                                         UsageCase {"ThreeOperands", {"a.mdb", "b.mdb", "c.mdb"}},
                                         UsageCase {"UnknownOption", {"--quiet", "a.mdb", "b.mdb"}},
                                         UsageCase {"UnknownIdentifier", {"--keep=RF,XX", "a.mdb", "b.mdb"}},
                                         UsageCase {"IdentifierWithBlank", {"--keep= RF", "a.mdb", "b.mdb"}},
                                         UsageCase {"MissingValue", {"a.mdb", "b.mdb", "--speed"}},
                                         UsageCase {"LongOptionPrefix", {"--keeps=RF", "a.mdb", "b.mdb"}},
                                         UsageCase {"CountWithTwoOperands", {"--count", "a.mdb", "b.mdb"}},
                                         UsageCase {"CountWithoutOperand", {"--count"}},
                                         UsageCase {"CountWithKeep", {"--count", "-kRF", "a.mdb"}},
                                         UsageCase {"CountWithSummary", {"--count", "--summary", "a.mdb"}},
                                         UsageCase {"SummaryWithOneOperand", {"--summary", "a.mdb"}}),
                         [](const auto& info) { return info.param.name; });

// The twelve flags as "RF RM TC PP PN ZE / RF1 … ZE1", one digit each.
std::string flags(const RunOptions& o)
{
    std::string text;
    for (bool flag : {o.RF, o.RM, o.TC, o.PP, o.PN, o.ZE})
        text += flag ? '1' : '0';
    text += '/';
    for (bool flag : {o.RF1, o.RM1, o.TC1, o.PP1, o.PN1, o.ZE1})
        text += flag ? '1' : '0';
    return text;
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
    const auto commandLine = parseCommandLine(GetParam().arguments);
    ASSERT_TRUE(commandLine);
    EXPECT_EQ(commandLine->action, CommandLine::Action::Run);
    EXPECT_EQ(flags(commandLine->options), GetParam().flags);
    EXPECT_EQ(commandLine->source, "\"a b.mdb\"");
    EXPECT_EQ(commandLine->destination, "-c.mdb");
}

INSTANTIATE_TEST_SUITE_P(
    , AcceptedForm,
    testing::Values(
        FormCase {"Defaults", {"\"a b.mdb\"", "--", "-c.mdb"}, "111111/111111"},
        FormCase {"KeepMixedCase", {"--keep=RF,pn", "\"a b.mdb\"", "--", "-c.mdb"}, "100010/111111"},
        FormCase {"KeepEveryIdentifier", {"-krf,rm,tc,pp,pn,ze", "\"a b.mdb\"", "--", "-c.mdb"}, "111111/111111"},
        FormCase {"SpeedRepeatedIdentifier", {"-s", "tc,TC", "\"a b.mdb\"", "--", "-c.mdb"}, "111111/001000"},
        FormCase {"EmptyItemsPassedOver", {"--keep=,RF,,ZE,", "\"a b.mdb\"", "--", "-c.mdb"}, "100001/111111"},
        FormCase {"BothEmpty", {"--keep", "", "--speed=", "\"a b.mdb\"", "--", "-c.mdb"}, "000000/000000"},
        FormCase {"LastOfEachWins",
                  {"-kRF", "-sPP", "\"a b.mdb\"", "--keep=ZE", "--speed", "PN", "--", "-c.mdb"},
                  "000001/000010"}),
    [](const auto& info) { return info.param.name; });

} // namespace
