#include "field_text.h"

#include <gtest/gtest.h>

namespace {

const auto rowName = [](const auto& info) {
    return std::string(info.param.name);
};

struct LineBreakCase
{
    const char* name;
    std::u16string text;
    std::size_t caret;
    std::u16string expected;
    std::size_t expectedCaret;
};

class LineBreaks : public testing::TestWithParam<LineBreakCase>
{
};

// Qt hands its validator the caret after a pasted text, so only another caller puts a break behind it.
TEST_P(LineBreaks, AreDroppedAndTheCaretKeepsItsPlace)
{
    const LineBreakCase& row = GetParam();
    std::u16string text = row.text;
    EXPECT_EQ(removeLineBreaks(text, row.caret), row.expectedCaret);
    EXPECT_TRUE(text == row.expected);
}

INSTANTIATE_TEST_SUITE_P(, LineBreaks,
                         testing::Values(LineBreakCase {"BreakBeforeTheCaret", u"a\nbc", 3, u"abc", 2},
                                         LineBreakCase {"BreakRightAfterTheCaret", u"ab\nc", 2, u"abc", 2},
                                         LineBreakCase {"BreaksOnBothSides", u"a\r\nb\nc", 4, u"abc", 2},
                                         LineBreakCase {"LineAndParagraphSeparators", u"a\u2028b\u2029c", 5, u"abc", 3},
                                         LineBreakCase {"TabAndFormFeedStay", u"a\tb\fc", 5, u"a\tb\fc", 5}),
                         rowName);

struct NameBoxCase
{
    const char* name;
    std::u16string fileName;
    std::size_t length;
};

class NameBox : public testing::TestWithParam<NameBoxCase>
{
};

TEST_P(NameBox, TakesAtMost260UnitsAndNoHalfCharacter)
{
    const std::u16string& fileName = GetParam().fileName;
    EXPECT_TRUE(cutForNameBox(fileName) == std::u16string_view(fileName).substr(0, GetParam().length));
}

const std::u16string n259(259, u'n');

INSTANTIATE_TEST_SUITE_P(, NameBox,
                         testing::Values(NameBoxCase {"Of259Whole", n259, 259},
                                         NameBoxCase {"Of260Whole", n259 + u"n", 260},
                                         NameBoxCase {"Of261CutTo260", n259 + u"nn", 260},
                                         NameBoxCase {"PairEndingAt260Whole", n259.substr(1) + u"\U0001F600", 260},
                                         NameBoxCase {"CutBeforeASurrogatePair", n259 + u"\U0001F600", 259},
                                         NameBoxCase {"PairAfterTheCut", n259 + u"n\U0001F600", 260}),
                         rowName);

} // namespace
