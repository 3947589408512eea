#pragma once

#include "geometry.h"

#include <ostream>

// So that a failed comparison shows the pixels.

inline void PrintTo(const Point& point, std::ostream* out)
{
    *out << "(" << point.x << ", " << point.y << ")";
}

inline void PrintTo(const Size& size, std::ostream* out)
{
    *out << size.width << "×" << size.height;
}

inline void PrintTo(const Rect& rect, std::ostream* out)
{
    *out << rect.width << "×" << rect.height << " at (" << rect.left << ", " << rect.top << ")";
}
