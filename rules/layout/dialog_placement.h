#pragma once

#include "geometry.h"

// Top-left corner of a window of frameSize, centred horizontally on monitor,
// with its top one third of the monitor's free height down.
Point browseDialogPosition(const Rect& monitor, Size frameSize);

// Centred on screen, each half of either size rounded down on its own.
Point centredOn(const Rect& screen, Size frameSize);
