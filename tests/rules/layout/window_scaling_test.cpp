#include "geometry_printing.h"
#include "window_scaling.h"

#include <gtest/gtest.h>

namespace {

const auto rowName = [](const auto& info) {
    return std::string(info.param.name);
};

struct LineHeightCase
{
    const char* name;
    Rect designed;
    int lineHeight;
    Rect scaled;
};

class ScaledForLineHeight : public testing::TestWithParam<LineHeightCase>
{
};

TEST_P(ScaledForLineHeight, ScalesTheEdgesByTheRatioOfLineHeights)
{
    EXPECT_EQ(scaledForLineHeight(GetParam().designed, GetParam().lineHeight), GetParam().scaled);
}

// Edges are scaled, not sizes, so neighbours that touched still touch.
INSTANTIATE_TEST_SUITE_P(
    , ScaledForLineHeight,
    testing::Values(
        LineHeightCase {"DesignedHeightKeepsEverything", {86, 148, 201, 21}, 13, {86, 148, 201, 21}},
        LineHeightCase {"TwiceTheHeightDoubles", {86, 148, 201, 21}, 26, {172, 296, 402, 42}},
        LineHeightCase {"ClientAreaAt16", {0, 0, 300, 394}, 16, {0, 0, 369, 485}},
        LineHeightCase {"RowEdgesAt12", {8, 208, 121, 21}, 12, {7, 192, 112, 19}},
        LineHeightCase {"NextRowAt12", {8, 224, 121, 21}, 12, {7, 207, 112, 19}},
        // Its width alone would give 172: 140 × 16 / 13 rounded. Its edges, 144 and 284, give 177 and 350.
        LineHeightCase {"SpeedBoxAt16", {144, 208, 140, 21}, 16, {177, 256, 173, 26}},
        // A height alone would give 24 here: 21 × 15 / 13 rounded. The edges, 224 and 245, give 258 and 283.
        LineHeightCase {"CategoryBoxAt15", {8, 224, 121, 21}, 15, {9, 258, 140, 25}},
        LineHeightCase {"LeftOfThePanel", {-2, 0, 150, 137}, 15, {-2, 0, 173, 158}}),
    rowName);

struct DpiCase
{
    const char* name;
    int designed;
    int dotsPerInch;
    int scaled;
};

class ScaledForDpi : public testing::TestWithParam<DpiCase>
{
};

TEST_P(ScaledForDpi, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(scaledForDpi(GetParam().designed, GetParam().dotsPerInch), GetParam().scaled);
}

// The window font's 11 pixels at the scales of 1, 1.25, 1.5 and 2.
INSTANTIATE_TEST_SUITE_P(, ScaledForDpi,
                         testing::Values(DpiCase {"At96", 11, 96, 11}, DpiCase {"At120Rounded", 11, 120, 14},
                                         DpiCase {"At144HalfRoundedUp", 11, 144, 17}, DpiCase {"At192", 11, 192, 22},
                                         DpiCase {"At72Rounded", 13, 72, 10},
                                         DpiCase {"NegativeHalfRoundedAwayFromZero", -2, 120, -3}),
                         rowName);

} // namespace
