#pragma once

// Whole pixels, in the plain types both front ends convert their toolkit's own to at their edge.

struct Point
{
    int x = 0;
    int y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

struct Size
{
    int width = 0;
    int height = 0;

    friend bool operator==(const Size&, const Size&) = default;
};

// Its right() and bottom() are the first column and row past it, as in a Windows RECT.
struct Rect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    Point topLeft() const { return {left, top}; }
    Size size() const { return {width, height}; }

    friend bool operator==(const Rect&, const Rect&) = default;
};

enum class Edge
{
    Left,
    Top,
    Right,
    Bottom,
};
