#pragma once

#include <string>
#include <windows.h>

enum class BalloonAnimation
{
    None,
    Fade,
    Slide,
};

// How a balloon comes up: the desktop's tool-tip effects animate only texts shorter than 100 characters.
BalloonAnimation balloonAnimation(bool animateTips, bool fadeTips, std::size_t textLength);

// A balloon window with text beside the information icon, its callout's tip
// at pointer, pushed inside the desktop, its lengths made for a screen of dpi.
// It takes neither input nor focus; DestroyWindow takes it away.
HWND showBalloon(const std::wstring& text, HFONT font, POINT pointer, int dpi);
