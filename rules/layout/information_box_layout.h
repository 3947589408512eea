#pragma once

#include "geometry.h"

#include <string_view>

// The information box: the text over one "Aceptar" button, laid out in units
// of the message font (w, the average width of the 52 letters A–Z a–z, and h,
// their line height). Every length is the nearest whole pixel to its multiple
// of w or h, rounded on its own; positions are sums of those lengths.

inline constexpr std::string_view AverageWidthLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

struct MessageFontMeasures
{
    // Of AverageWidthLetters as one run.
    int lettersWidth;
    int lineHeight;
    int captionWidth;
};

struct InformationBoxLayout
{
    Rect text;
    Rect button;
    Size client;
};

// The width the text's lines wrap at on a screen that wide.
int informationBoxTextWidthLimit(int screenWidth);

InformationBoxLayout layOutInformationBox(Size textSize, const MessageFontMeasures& font);
