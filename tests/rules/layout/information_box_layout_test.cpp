#include "geometry_printing.h"
#include "information_box_layout.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

const auto rowName = [](const auto& info) {
    return std::string(info.param.name);
};

struct PixelsCase
{
    const char* name;
    Size textSize;
    MessageFontMeasures font;
    Rect text;
    Rect button;
    Size client;
};

class InformationBoxPixels : public testing::TestWithParam<PixelsCase>
{
};

TEST_P(InformationBoxPixels, FollowTheMessageFont)
{
    const PixelsCase& row = GetParam();
    const InformationBoxLayout layout = layOutInformationBox(row.textSize, row.font);
    EXPECT_EQ(layout.text, row.text);
    EXPECT_EQ(layout.button, row.button);
    EXPECT_EQ(layout.client, row.client);
}

// w = 7, h = 14: the button's 87.5 × 24.5 and its gap of 17.5 round up.
// w = 5.75: margins of 11.5 round up; the caption, 70 + 8, is wider than 12.5 w.
INSTANTIATE_TEST_SUITE_P(
    , InformationBoxPixels,
    testing::Values(
        PixelsCase {"HalvesRoundUp", {400, 42}, {364, 14, 50}, {14, 14, 400, 42}, {170, 74, 88, 25}, {428, 113}},
        PixelsCase {
            "CaptionWiderThanTheUnits", {20, 16}, {299, 16, 70}, {12, 16, 20, 16}, {12, 52, 78, 28}, {102, 96}}),
    rowName);

struct ShapeCase
{
    const char* name;
    Size textSize;
    MessageFontMeasures font;
};

class InformationBoxShape : public testing::TestWithParam<ShapeCase>
{
};

TEST_P(InformationBoxShape, IsCentredWithEqualMargins)
{
    const ShapeCase& row = GetParam();
    const InformationBoxLayout layout = layOutInformationBox(row.textSize, row.font);
    const Rect& text = layout.text;
    const Rect& button = layout.button;

    EXPECT_EQ(text.size(), row.textSize);
    EXPECT_GT(button.top, text.bottom());
    const int rightGap = layout.client.width - button.right();
    EXPECT_TRUE(button.left == rightGap || button.left + 1 == rightGap) << button.left << " and " << rightGap;
    // The wider of text and button stands as far from either side as the text from the top and the button
    // from the bottom, each by the font's own unit.
    EXPECT_EQ(layout.client.width - std::max(text.right(), button.right()), text.left);
    EXPECT_EQ(layout.client.height - button.bottom(), text.top);
    EXPECT_EQ(text.top, row.font.lineHeight);
}

INSTANTIATE_TEST_SUITE_P(, InformationBoxShape,
                         testing::Values(ShapeCase {"EmptyText", {0, 0}, {312, 13, 40}},
                                         ShapeCase {"TextOddPixelsWiderThanTheButton", {76, 13}, {312, 13, 40}},
                                         ShapeCase {"TextEvenPixelsWiderThanTheButton", {77, 13}, {312, 13, 40}},
                                         ShapeCase {"TextAsWideAsTheButton", {75, 13}, {312, 13, 40}},
                                         ShapeCase {"CaptionDecidesTheButton", {10, 13}, {260, 13, 90}},
                                         ShapeCase {"LargeFont", {600, 210}, {624, 26, 100}}),
                         rowName);

} // namespace
