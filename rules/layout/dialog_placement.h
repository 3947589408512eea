#pragma once

#include "geometry.h"

// Top-left corner of a window of frameSize, centred horizontally on monitor,
// with its top one third of the monitor's free height down.
Point browseDialogPosition(const Rect& monitor, Size frameSize);

// Top-left corner of a window of frameSize centred on screen; the halves of both sizes are rounded down
// each on its own.
Point centredOn(const Rect& screen, Size frameSize);
