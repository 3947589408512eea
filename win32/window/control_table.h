#pragma once

#include "geometry.h"

#include <string_view>
#include <vector>
#include <windows.h>

enum class ControlKind
{
    Field,
    PushButton,
    CheckBox,
    Label,
    Panel,
    Picture,
    StatusBar,
};

// One control of the window as it is designed, for a font whose line height is 13 pixels.
struct ControlRow
{
    std::string_view name;
    int id;
    ControlKind kind;
    // In the client area; a picture's in its panel's.
    Rect designed;
    // UTF-8.
    std::string_view text;
    DWORD style;
    // A picture's panel.
    std::string_view parent = {};
};

// The window's client area as designed.
inline constexpr Size DesignedClientSize {300, 394};
// The category rows stand this far apart, less than a box is high.
inline constexpr int DesignedRowPitch = 16;

// In the order they are made, which is the order of the focus: the fields,
// "Generar", the category boxes, their speed-warning boxes, then what takes no focus.
const std::vector<ControlRow>& controlTable();
const ControlRow& controlRow(std::string_view name);
