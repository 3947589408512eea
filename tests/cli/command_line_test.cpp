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
                                         UsageCase {"LongOptionPrefix", {"--keeps=RF", "a.mdb", "b.mdb"}}),
                         [](const auto& info) { return info.param.name; });

} // namespace
