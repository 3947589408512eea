#pragma once

#include <QRect>

// The window is laid out for a font whose line height is 13 pixels; with
// another line height every position and size scales by the ratio.
inline constexpr int DesignLineHeight = 13;

QRect scaledForLineHeight(const QRect& designed, int lineHeight);
