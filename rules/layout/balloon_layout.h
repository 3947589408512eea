#pragma once

#include "geometry.h"

// Lengths of the balloon's shape and layout in pixels.
struct BalloonMetrics
{
    int cornerRadius;
    int calloutLength;
    int calloutWidth;
    // From the callout's end of the balloon to its tip.
    int tipInset;
    int padding;
    int iconTextGap;
    int maxTextWidth;

    friend bool operator==(const BalloonMetrics&, const BalloonMetrics&) = default;
};

// The balloon's lengths, made for 96 dots per inch, on a screen of dotsPerInch.
BalloonMetrics balloonMetricsForDpi(int dotsPerInch);

// The information icon beside the text, both centred on the taller of the two; their places are
// counted from the top of the body, below or above which the callout stands.
struct BalloonLayout
{
    Rect icon;
    Rect text;
    Size size;
};

// textSize: the size the text takes wrapped at metrics.maxTextWidth.
BalloonLayout layOutBalloon(const BalloonMetrics& metrics, int iconSize, Size textSize);

// How far below the balloon's top its body begins.
int balloonBodyTop(const BalloonMetrics& metrics, Edge calloutEdge);

// The outline of a balloon with the callout on the top edge at the left end; the other positions mirror it.
// The line runs from the callout's start on the body's top side up to the tip, down to its end, and round
// the body, whose corners are rounded by cornerRadius.
struct BalloonOutline
{
    // Its right() and bottom() are the lines of the right and bottom sides.
    Rect body;
    int cornerRadius;
    Point calloutStart;
    Point tip;
    Point calloutEnd;
};

BalloonOutline balloonOutline(Size size, const BalloonMetrics& metrics);
