#include "browse_start.h"
#include "fake_file_queries.h"

#include <gtest/gtest.h>

using std::nullopt;

namespace {

struct StartCase
{
    const char* name;
    const char* text;
    std::optional<std::string> initialDir;
    std::optional<std::string> proposedName;
};

class BrowseStartOf : public testing::TestWithParam<StartCase>
{
};

TEST_P(BrowseStartOf, FollowsTheLeadingNameAndItsFolder)
{
    const FakeFileQueries queries({"/d/a b.txt"}, {"/d/", "/"});
    const BrowseStart start = browseStartOf(GetParam().text, queries);
    EXPECT_EQ(start.initialDir, GetParam().initialDir);
    EXPECT_EQ(start.proposedName, GetParam().proposedName);
}

INSTANTIATE_TEST_SUITE_P(, BrowseStartOf,
                         testing::Values(StartCase {"Empty", "", nullopt, nullopt},
                                         StartCase {"RefusedName", "a|b", nullopt, nullopt},
                                         StartCase {"NameInExistingFolder", "/d/x.txt", "/d", "/d/x.txt"},
                                         StartCase {"NameInMissingFolder", "/none/x.txt", nullopt, "/none/x.txt"},
                                         StartCase {"BareName", "x.txt", nullopt, "x.txt"},
                                         StartCase {"FolderEndingInSlash", "/d/", "/d", ""},
                                         StartCase {"RootFolder", "/", "/", ""},
                                         StartCase {"QuotedSpacedName", "\"/d/a b.txt\" x", "/d", "/d/a b.txt"},
                                         StartCase {"ExistingFileWithSpaces", "/d/a b.txt", "/d", "/d/a b.txt"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
