#include "balloon_placement.h"
#include "geometry_printing.h"

#include <gtest/gtest.h>

namespace {

constexpr int tipInset = 16;
constexpr Size balloon {200, 60};
constexpr Rect screen {0, 0, 1024, 768};
constexpr Rect taskBarBelow {0, 0, 1024, 738};
constexpr Rect taskBarAbove {0, 30, 1024, 738};
constexpr Rect panelLeft {40, 0, 984, 768};
constexpr Rect secondScreen {1024, 200, 1280, 1024};

struct PlacementCase
{
    const char* name;
    Point pointer;
    Size size;
    Rect screen;
    Rect desktop;
    Point topLeft;
    Edge calloutEdge;
    Edge calloutEnd;
};

class PlaceBalloon : public testing::TestWithParam<PlacementCase>
{
};

TEST_P(PlaceBalloon, PutsTheTipOnThePointerInsideTheDesktop)
{
    const PlacementCase& row = GetParam();
    const BalloonPlacement placement = placeBalloon(row.pointer, row.size, tipInset, row.screen, row.desktop);

    EXPECT_EQ(placement.rect, (Rect {row.topLeft.x, row.topLeft.y, row.size.width, row.size.height}));
    EXPECT_EQ(placement.calloutEdge, row.calloutEdge);
    EXPECT_EQ(placement.calloutEnd, row.calloutEnd);
}

using enum Edge;

// A callout at the right end puts the tip 16 pixels in from the balloon's right edge, so left = x - 183.
// The side of the callout counts from the screen's edge, the push from the desktop's.
INSTANTIATE_TEST_SUITE_P(
    , PlaceBalloon,
    testing::Values(
        PlacementCase {"UpperHalfHangsBelowCalloutRight", {500, 100}, balloon, screen, screen, {317, 100}, Top, Right},
        PlacementCase {
            "LowerHalfStandsAboveCalloutRight", {500, 600}, balloon, screen, screen, {317, 541}, Bottom, Right},
        PlacementCase {"LastRowOfTheUpperHalf", {500, 383}, balloon, screen, screen, {317, 383}, Top, Right},
        PlacementCase {"FirstRowOfTheLowerHalf", {500, 384}, balloon, screen, screen, {317, 325}, Bottom, Right},
        PlacementCase {"SecondRowOfTheLowerHalf", {500, 385}, balloon, screen, screen, {317, 326}, Bottom, Right},
        PlacementCase {"LeftDistanceOneLessThanTheWidth", {199, 100}, balloon, screen, screen, {183, 100}, Top, Left},
        PlacementCase {"LeftDistanceEqualToTheWidth", {200, 100}, balloon, screen, screen, {17, 100}, Top, Right},
        PlacementCase {"LeftDistanceOneMoreThanTheWidth", {201, 100}, balloon, screen, screen, {18, 100}, Top, Right},
        PlacementCase {
            "RightEdgeOnePixelShortOfTheDesktops", {1006, 100}, balloon, screen, screen, {823, 100}, Top, Right},
        PlacementCase {"RightEdgeOnTheDesktops", {1007, 100}, balloon, screen, screen, {824, 100}, Top, Right},
        PlacementCase {
            "RightEdgeOnePixelBeyondMovedLeft", {1008, 100}, balloon, screen, screen, {824, 100}, Top, Right},
        PlacementCase {
            "BottomOneRowAboveTheTaskBar", {500, 736}, balloon, screen, taskBarBelow, {317, 677}, Bottom, Right},
        PlacementCase {
            "BottomOnTheDesktopsLastRow", {500, 737}, balloon, screen, taskBarBelow, {317, 678}, Bottom, Right},
        PlacementCase {
            "BottomOnTheTaskBarMovedUp", {500, 738}, balloon, screen, taskBarBelow, {317, 678}, Bottom, Right},
        PlacementCase {"TopOnATaskBarAboveMovedDown", {500, 29}, balloon, screen, taskBarAbove, {317, 30}, Top, Right},
        PlacementCase {"TopOnTheDesktopsFirstRow", {500, 30}, balloon, screen, taskBarAbove, {317, 30}, Top, Right},
        PlacementCase {
            "TopOneRowBelowTheDesktopsFirst", {500, 31}, balloon, screen, taskBarAbove, {317, 31}, Top, Right},
        PlacementCase {"LeftEdgeOnASidePanelMovedRight", {55, 100}, balloon, screen, panelLeft, {40, 100}, Top, Left},
        PlacementCase {"LeftEdgeOnTheDesktopsFirstColumn", {56, 100}, balloon, screen, panelLeft, {40, 100}, Top, Left},
        PlacementCase {
            "LeftEdgeOneColumnInsideTheDesktop", {57, 100}, balloon, screen, panelLeft, {41, 100}, Top, Left},
        PlacementCase {
            "TallBalloonAboveALowPointerMovedDown", {500, 400}, {200, 500}, screen, screen, {317, 0}, Bottom, Right},
        PlacementCase {
            "LargerThanTheDesktopTopLeftKeptInView", {500, 100}, {1100, 800}, screen, screen, {0, 0}, Top, Left},
        PlacementCase {
            "SecondScreenNearItsLeftEdge", {1100, 300}, balloon, secondScreen, secondScreen, {1084, 300}, Top, Left},
        PlacementCase {"SecondScreenUpperHalfCountedFromItsTop",
                       {2000, 700},
                       balloon,
                       secondScreen,
                       secondScreen,
                       {1817, 700},
                       Top,
                       Right}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
