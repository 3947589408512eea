#include "fake_file_queries.h"
#include "filename_rules.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

struct TextCase
{
    const char* name;
    std::string text;
    std::string expected;
};

const auto rowName = [](const auto& info) {
    return std::string(info.param.name);
};

class QuoteSpacedNameOf : public testing::TestWithParam<TextCase>
{
};

TEST_P(QuoteSpacedNameOf, QuotesANameWithASpace)
{
    EXPECT_EQ(QuoteSpacedName(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(, QuoteSpacedNameOf,
                         testing::Values(TextCase {"Empty", "", ""}, TextCase {"NoSpace", "/tmp/a.txt", "/tmp/a.txt"},
                                         TextCase {"Space", "/tmp/my a.txt", "\"/tmp/my a.txt\""},
                                         TextCase {"OnlySpaces", "  ", "\"  \""},
                                         TextCase {"TabDoesNotCount", "a\tb", "a\tb"},
                                         TextCase {"StartsWithQuote", "\"a b", "\"a b"}),
                         rowName);

class FirstWordOf : public testing::TestWithParam<TextCase>
{
};

TEST_P(FirstWordOf, UnwrapsQuotedStretches)
{
    EXPECT_EQ(FirstWord(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    , FirstWordOf,
    testing::Values(TextCase {"Empty", "", ""}, TextCase {"AllSpaces", "   ", ""},
                    TextCase {"PlainWordRestIgnored", "a.txt b.txt", "a.txt"},
                    TextCase {"LeadingSpacesAndControls",
                              " \t\x01\x1f"
                              "a.txt",
                              "a.txt"},
                    TextCase {"QuotePairsBetweenBlanks", "\"\" \"\"  a b", "a"},
                    TextCase {"QuotedName", "\"/my dir/a b.txt\" c", "/my dir/a b.txt"},
                    TextCase {"QuotedStretchInside", "a\"b c\"d e", "ab cd"},
                    TextCase {"QuotePairInsideWord", "a\"\"b c", "ab"},
                    TextCase {"UnclosedQuoteRunsToEnd", "\"a b  ", "a b  "}, TextCase {"TabEndsWord", "a\tb", "a"},
                    TextCase {"HighBytesOrdinary", "ñandú.txt x", "ñandú.txt"},
                    TextCase {"NulEndsText", "a\0b c"s, "a"},
                    TextCase {"WordOf300KeptWhole", std::string(300, 'w') + " tail", std::string(300, 'w')}),
    rowName);

class LeadingFileNameOf : public testing::TestWithParam<TextCase>
{
};

TEST_P(LeadingFileNameOf, IsTheWholeTextOnlyForAnExistingFile)
{
    const FakeFileQueries queries({"/d/a b.txt"}, {"/d/my folder"});
    EXPECT_EQ(LeadingFileName(GetParam().text, queries), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(, LeadingFileNameOf,
                         testing::Values(TextCase {"ExistingFileWithSpaces", "/d/a b.txt", "/d/a b.txt"},
                                         TextCase {"MissingFileWithSpaces", "/d/x y.txt", "/d/x"},
                                         TextCase {"ExistingFolderDoesNotCount", "/d/my folder", "/d/my"},
                                         TextCase {"LeadingSpacesNoSuchFile", "  /d/x.txt", "/d/x.txt"},
                                         TextCase {"QuotedExistingFile", "\"/d/a b.txt\"", "/d/a b.txt"}),
                         rowName);

class RunNameOf : public testing::TestWithParam<TextCase>
{
};

TEST_P(RunNameOf, LosesEveryDoubleQuote)
{
    EXPECT_EQ(nameFromFieldText(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(, RunNameOf,
                         testing::Values(TextCase {"QuotedName", "\"my points.MDB\"", "my points.MDB"},
                                         TextCase {"QuotesInside", "o\"u\"t.mdb", "out.mdb"}),
                         rowName);

struct AcceptanceCase
{
    const char* name;
    std::string fileName;
    bool accepted;
};

class AcceptableFileName : public testing::TestWithParam<AcceptanceCase>
{
};

TEST_P(AcceptableFileName, RefusesEmptyAndSixCharacters)
{
    EXPECT_EQ(IsAcceptableFileName(GetParam().fileName), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(, AcceptableFileName,
                         testing::Values(AcceptanceCase {"Empty", "", false},
                                         AcceptanceCase {"RefusedLessThan", "a<b.txt", false},
                                         AcceptanceCase {"RefusedGreaterThan", "a>b.txt", false},
                                         AcceptanceCase {"RefusedDoubleQuote", "a\"b.txt", false},
                                         AcceptanceCase {"RefusedOpeningBracket", "a[b.txt", false},
                                         AcceptanceCase {"RefusedClosingBracket", "a]b.txt", false},
                                         AcceptanceCase {"RefusedBar", "a|b.txt", false},
                                         AcceptanceCase {"WildcardsColonBackslash", "*?:\\a.txt", true},
                                         AcceptanceCase {"VeryLong", std::string(5000, 'x'), true}),
                         rowName);

struct PartsCase
{
    const char* name;
    const char* fileName;
    const char* folder;
    const char* file;
    const char* initialDir;
    PathSyntax syntax = PathSyntax::Posix;
};

class FolderAndNameParts : public testing::TestWithParam<PartsCase>
{
};

TEST_P(FolderAndNameParts, SplitAtTheLastSeparator)
{
    const PartsCase& row = GetParam();
    EXPECT_EQ(folderPart(row.fileName, row.syntax), row.folder);
    EXPECT_EQ(namePart(row.fileName, row.syntax), row.file);
    EXPECT_EQ(initialDirFromFolderPart(row.folder, row.syntax), row.initialDir);
}

INSTANTIATE_TEST_SUITE_P(
    , FolderAndNameParts,
    testing::Values(
        PartsCase {"FullPath", "/a/b/c.txt", "/a/b/", "c.txt", "/a/b"},
        PartsCase {"FolderEndingInSlash", "/a/b/", "/a/b/", "", "/a/b"},
        PartsCase {"DoubleSlashLosesOne", "//c", "//", "c", "/"}, PartsCase {"BareName", "c.txt", "", "c.txt", ""},
        PartsCase {"BackslashAndColonOrdinary", "/a/C:\\b.txt", "/a/", "C:\\b.txt", "/a"},
        PartsCase {"WindowsFullPath", "C:\\a\\b.mdb", "C:\\a\\", "b.mdb", "C:\\a", PathSyntax::Windows},
        PartsCase {"WindowsDriveRootKeepsBackslash", "C:\\b.mdb", "C:\\", "b.mdb", "C:\\", PathSyntax::Windows},
        PartsCase {"WindowsDriveWithoutFolder", "C:b.mdb", "C:", "b.mdb", "C:", PathSyntax::Windows},
        PartsCase {"WindowsColonAfterBackslash", "\\a\\x:b.mdb", "\\a\\x:", "b.mdb", "\\a\\x:", PathSyntax::Windows},
        PartsCase {"WindowsLoneBackslash", "\\b.mdb", "\\", "b.mdb", "\\", PathSyntax::Windows},
        PartsCase {"WindowsSlashOrdinary", "a/b.mdb", "", "a/b.mdb", "", PathSyntax::Windows}),
    rowName);

} // namespace
