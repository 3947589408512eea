#pragma once

#include "point_file.h"

#include <array>

// In the order of PointCategory: the identifiers of --keep and --speed, which
// are the names of the window's boxes, and the window's captions.
inline constexpr std::array<const char*, PointCategoryCount> CategoryIdentifiers {"RF", "RM", "TC", "PP", "PN", "ZE"};
inline constexpr std::array<const char*, PointCategoryCount> CategoryCaptions {
    "Radares fijos", "Radares móviles", "Tramos controlados", "Puntos peligrosos", "Puntos negros", "Zonas de niños",
};
