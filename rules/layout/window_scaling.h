#pragma once

#include "geometry.h"

// The window is laid out for a font whose line height is 13 pixels; with
// another line height every position and size scales by the ratio.
inline constexpr int DesignLineHeight = 13;
// Lengths of the controls' own drawing are made for this many dots per inch.
inline constexpr int DesignDotsPerInch = 96;

// value × numerator / denominator rounded to the nearest integer, halves away
// from zero, as Windows' MulDiv does; denominator > 0.
int mulDiv(int value, int numerator, int denominator);

Rect scaledForLineHeight(const Rect& designed, int lineHeight);
Size scaledForLineHeight(Size designed, int lineHeight);

// A length made for 96 dots per inch on a screen of dotsPerInch.
int scaledForDpi(int designed, int dotsPerInch);
