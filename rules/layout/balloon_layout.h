#pragma once

#include "geometry.h"

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
};

// The balloon's lengths, made for 96 dots per inch, on a screen of dotsPerInch.
BalloonMetrics balloonMetricsForDpi(int dotsPerInch);

// The icon and the text are centred on the taller of the two, and placed from the top of the body.
struct BalloonLayout
{
    Rect icon;
    Rect text;
    Size size;
};

BalloonLayout layOutBalloon(const BalloonMetrics& metrics, int iconSize, Size textSize);

int balloonBodyTop(const BalloonMetrics& metrics, Edge calloutEdge);

// With the callout on the top edge at the left end; the other positions mirror it. The line runs from the
// callout's start up to the tip, down to its end, and round the body's rounded corners.
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
