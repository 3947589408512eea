#pragma once

#include "geometry.h"

// Where a balloon stands relative to the pointer it points at.
struct BalloonPlacement
{
    Rect rect;
    Edge calloutEdge; // Edge::Top or Edge::Bottom
    Edge calloutEnd; // Edge::Left or Edge::Right: the end of the balloon the callout stands at
};

// Places a balloon of the given size, whose callout tip stands tipInset pixels
// in from the balloon's left or right end, so that the tip touches the pointer,
// then pushes it inside the desktop. The screen is the one the pointer is on;
// the desktop is its part free for windows.
BalloonPlacement placeBalloon(Point pointer, Size size, int tipInset, const Rect& screen, const Rect& desktop);
