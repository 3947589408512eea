#include "balloon_layout.h"
#include "geometry_printing.h"

#include <gtest/gtest.h>

namespace {

constexpr BalloonMetrics At96 {.cornerRadius = 11,
                               .calloutLength = 15,
                               .calloutWidth = 15,
                               .tipInset = 16,
                               .padding = 8,
                               .iconTextGap = 8,
                               .maxTextWidth = 250};

struct LayoutCase
{
    const char* name;
    int iconSize;
    Size textSize;
    Rect icon;
    Rect text;
    Size size;
};

class LayOutBalloon : public testing::TestWithParam<LayoutCase>
{
};

TEST_P(LayOutBalloon, CentresIconAndTextOnTheTallerWithinThePadding)
{
    const LayoutCase& row = GetParam();
    const BalloonLayout layout = layOutBalloon(At96, row.iconSize, row.textSize);
    EXPECT_EQ(layout.icon, row.icon);
    EXPECT_EQ(layout.text, row.text);
    EXPECT_EQ(layout.size, row.size);
}

// The height adds the callout's 15 to the padding of 8 above and below.
INSTANTIATE_TEST_SUITE_P(
    , LayOutBalloon,
    testing::Values(LayoutCase {"IconTaller", 32, {200, 26}, {8, 8, 32, 32}, {48, 11, 200, 26}, {256, 63}},
                    LayoutCase {"TextTaller", 32, {250, 65}, {8, 24, 32, 32}, {48, 8, 250, 65}, {306, 96}},
                    // The callout and a corner need 16 + 15 + 11 + 1.
                    LayoutCase {"CalloutDecidesTheWidth", 16, {2, 13}, {8, 8, 16, 16}, {32, 9, 2, 13}, {43, 47}},
                    LayoutCase {"OnePixelPastTheCalloutsWidth", 16, {4, 13}, {8, 8, 16, 16}, {32, 9, 4, 13}, {44, 47}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
