#include "dialog_placement.h"
#include "geometry_printing.h"

#include <gtest/gtest.h>

namespace {

const auto rowName = [](const auto& info) {
    return std::string(info.param.name);
};

struct PlacementCase
{
    const char* name;
    Rect monitor;
    Size frame;
    Point expected;
};

class BrowseDialogPosition : public testing::TestWithParam<PlacementCase>
{
};

TEST_P(BrowseDialogPosition, CentresAcrossAndAThirdDown)
{
    EXPECT_EQ(browseDialogPosition(GetParam().monitor, GetParam().frame), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    , BrowseDialogPosition,
    testing::Values(PlacementCase {"OddFreeSizesRoundDown", {0, 0, 800, 600}, {625, 421}, {87, 59}},
                    PlacementCase {"SecondMonitor", {1920, 100, 1280, 1024}, {620, 424}, {2250, 300}},
                    PlacementCase {"DialogTallerThanMonitor", {0, 0, 800, 600}, {900, 902}, {-50, -100}}),
    rowName);

class CentredOn : public testing::TestWithParam<PlacementCase>
{
};

TEST_P(CentredOn, RoundsEachHalfDown)
{
    EXPECT_EQ(centredOn(GetParam().monitor, GetParam().frame), GetParam().expected);
}

// An odd frame stands half a pixel further left and up than (screen - frame) / 2 would put it.
INSTANTIATE_TEST_SUITE_P(
    , CentredOn,
    testing::Values(PlacementCase {"EvenFrame", {0, 0, 1024, 768}, {300, 200}, {362, 284}},
                    PlacementCase {"OddFrame", {0, 0, 1024, 768}, {301, 201}, {362, 284}},
                    PlacementCase {"OddScreen", {0, 0, 1023, 767}, {300, 200}, {361, 283}},
                    PlacementCase {"SecondMonitor", {1920, 100, 1280, 1024}, {400, 300}, {2360, 462}},
                    PlacementCase {"LargerThanTheScreen", {0, 0, 800, 600}, {901, 701}, {-50, -50}}),
    rowName);

} // namespace
