#include "window_scaling.h"

#include <cassert>
#include <cstdint>

int mulDiv(int value, int numerator, int denominator)
{
    assert(denominator > 0);
    const std::int64_t product = std::int64_t {value} * numerator;
    const std::int64_t half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}

Rect scaledForLineHeight(const Rect& designed, int lineHeight)
{
    if (lineHeight == DesignLineHeight)
        return designed;
    // Edges are scaled, not sizes, so that neighbours that touched still touch.
    const int left = mulDiv(designed.left, lineHeight, DesignLineHeight);
    const int top = mulDiv(designed.top, lineHeight, DesignLineHeight);
    return {left, top, mulDiv(designed.right(), lineHeight, DesignLineHeight) - left,
            mulDiv(designed.bottom(), lineHeight, DesignLineHeight) - top};
}

Size scaledForLineHeight(Size designed, int lineHeight)
{
    return scaledForLineHeight(Rect {0, 0, designed.width, designed.height}, lineHeight).size();
}

int scaledForDpi(int designed, int dotsPerInch)
{
    return mulDiv(designed, dotsPerInch, DesignDotsPerInch);
}
