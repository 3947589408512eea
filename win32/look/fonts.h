#pragma once

#include "geometry.h"
#include "unique_handle.h"

#include <string_view>

// "MS Sans Serif" 8 points (11 pixels at 96 dots per inch) on a screen of dpi;
// where the face is missing at that height, "Microsoft Sans Serif" or "Tahoma",
// and failing those the system's nearest face.
UniqueFont makeWindowFont(int dpi);
// The desktop's message font and status-bar font, made for a screen of dpi.
UniqueFont makeMessageFont(int dpi);
UniqueFont makeStatusFont(int dpi);

// The height of a line of the font, by which the window's layout scales.
int lineHeightOf(HFONT font);
// The size of one line of text in the font, without wrapping.
Size textExtent(HFONT font, std::wstring_view text);
