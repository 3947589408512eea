#include "stored_text.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

template <typename Result> struct TextCase
{
    const char* name;
    const char* text;
    Result expected;
};

using IntegerCase = TextCase<std::optional<int>>;

class IntegerConversion : public testing::TestWithParam<IntegerCase>
{
};

TEST_P(IntegerConversion, TakesTheToolkitsIntegers)
{
    EXPECT_EQ(StoredText::toInteger(GetParam().text), GetParam().expected);
}

constexpr std::optional<int> None;

INSTANTIATE_TEST_SUITE_P(
    , IntegerConversion,
    testing::Values(
        IntegerCase {"Decimal", "42", 42}, IntegerCase {"Zero", "0", 0}, IntegerCase {"LeadingZeros", "007", 7},
        IntegerCase {"Negative", "-17", -17}, IntegerCase {"PlusSign", "+5", 5},
        IntegerCase {"LeadingBlanks", "   12", 12}, IntegerCase {"TrailingBlank", "12 ", None},
        IntegerCase {"BlankAfterSign", "- 5", None}, IntegerCase {"Empty", "", None},
        IntegerCase {"BlanksOnly", "  ", None}, IntegerCase {"SignOnly", "-", None},
        IntegerCase {"DollarHex", "$1F", 31}, IntegerCase {"DollarHexSmallLetters", "$1f", 31},
        IntegerCase {"XHex", "x10", 16}, IntegerCase {"ZeroXHex", "0x10", 16}, IntegerCase {"NegativeHex", "-$10", -16},
        IntegerCase {"HexPrefixOnly", "0x", None}, IntegerCase {"DollarOnly", "$", None},
        IntegerCase {"HexDigitInDecimal", "12a", None}, IntegerCase {"NotAHexDigit", "$1g", None},
        IntegerCase {"Fraction", "1.5", None}, IntegerCase {"OtherScriptDigit", "\u0663", None},
        IntegerCase {"Largest", "2147483647", 2147483647}, IntegerCase {"OnePastLargest", "2147483648", None},
        IntegerCase {"Smallest", "-2147483648", -2147483647 - 1}, IntegerCase {"OneBelowSmallest", "-2147483649", None},
        IntegerCase {"LargestHex", "$7FFFFFFF", 2147483647},
        IntegerCase {"FarTooLong", "99999999999999999999999", None}),
    [](const auto& info) { return info.param.name; });

struct WordCase
{
    const char* name;
    const char* text;
    int n;
    const char* expected;
};

class PositionWords : public testing::TestWithParam<WordCase>
{
};

TEST_P(PositionWords, AreCutAtRunsOfCommasAndBlanks)
{
    EXPECT_EQ(StoredText::word(GetParam().text, GetParam().n), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(, PositionWords,
                         testing::Values(WordCase {"FirstOfFour", "450,170,750,564", 1, "450"},
                                         WordCase {"LastOfFour", "450,170,750,564", 4, "564"},
                                         WordCase {"MissingThird", "100,200", 3, ""},
                                         WordCase {"BlankSeparated", "100 200", 2, "200"},
                                         WordCase {"RunOfCommasAndBlanks", "100 ,, ,200", 2, "200"},
                                         WordCase {"LeadingSeparators", " ,,100,200", 1, "100"},
                                         WordCase {"TrailingSeparators", "100,200,, ", 3, ""},
                                         WordCase {"WordNotANumber", "x,200,0,0", 1, "x"},
                                         WordCase {"EmptyText", "", 1, ""}),
                         [](const auto& info) { return info.param.name; });

using TrimCase = TextCase<const char*>;

class Trimming : public testing::TestWithParam<TrimCase>
{
};

TEST_P(Trimming, DropsControlCodesAndBlanksAtBothEnds)
{
    EXPECT_EQ(StoredText::trimmedControlCodes(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(, Trimming,
                         testing::Values(TrimCase {"BlanksAndLineEnds", " \t a b \r\n", "a b"},
                                         TrimCase {"ControlCodes", "\x01x\x1f", "x"},
                                         TrimCase {"InnerBlanksKept", "/tmp/a b.mdb", "/tmp/a b.mdb"},
                                         TrimCase {"BlanksOnly", "   ", ""},
                                         TrimCase {"NoBreakSpaceKept", "\u00a0x\u00a0", "\u00a0x\u00a0"}),
                         [](const auto& info) { return info.param.name; });

using BooleanCase = TextCase<std::optional<bool>>;

class BooleanTexts : public testing::TestWithParam<BooleanCase>
{
};

TEST_P(BooleanTexts, AreTrueAndFalseInAnyLatinCase)
{
    EXPECT_EQ(StoredText::toBoolean(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    , BooleanTexts,
    testing::Values(BooleanCase {"True", "True", true}, BooleanCase {"SmallLetters", "true", true},
                    BooleanCase {"Capitals", "TRUE", true}, BooleanCase {"FalseMixedCase", "fAlSe", false},
                    BooleanCase {"One", "1", std::nullopt}, BooleanCase {"Yes", "yes", std::nullopt},
                    BooleanCase {"Empty", "", std::nullopt}, BooleanCase {"Untrimmed", " True", std::nullopt},
                    BooleanCase {"LongSFoldsOnlyOutsideAToZ", "Fal\u017fe", std::nullopt}),
    [](const auto& info) { return info.param.name; });

struct BaseNameCase
{
    const char* name;
    const char* path;
    const char* separators;
    const char* expected;
};

class ExecutableBaseName : public testing::TestWithParam<BaseNameCase>
{
};

TEST_P(ExecutableBaseName, DropsTheFolderAndTheLastExtension)
{
    EXPECT_EQ(StoredText::executableBaseName(GetParam().path, GetParam().separators), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    , ExecutableBaseName,
    testing::Values(BaseNameCase {"NoExtension", "/usr/bin/zorvanti-cribaxon", "/", "zorvanti-cribaxon"},
                    BaseNameCase {"LastExtensionOnly", "/opt/tools/filter.new.exe", "/", "filter.new"},
                    BaseNameCase {"DotInAFolder", "/opt/v1.2/filter", "/", "filter"},
                    BaseNameCase {"NameIsAllExtension", "/home/u/.filter", "/", ""},
                    BaseNameCase {"NoFolder", "filter.sh", "/", "filter"},
                    BaseNameCase {"WindowsFolders", "C:\\tools\\filter.new.exe", "\\:", "filter.new"},
                    BaseNameCase {"WindowsDriveOnly", "C:filter.exe", "\\:", "filter"},
                    BaseNameCase {"WindowsDotInAFolder", "C:\\v1.2\\filter", "\\:", "filter"}),
    [](const auto& info) { return info.param.name; });

} // namespace
