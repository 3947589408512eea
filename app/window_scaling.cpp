#include "window_scaling.h"

namespace {
int scaled(int value, int lineHeight)
{
    // Rounded to the nearest pixel, halves away from zero, as the toolkit's MulDiv does.
    const int product = value * lineHeight;
    const int half = DesignLineHeight / 2;
    return product >= 0 ? (product + half) / DesignLineHeight : -((-product + half) / DesignLineHeight);
}
} // namespace

QRect scaledForLineHeight(const QRect& designed, int lineHeight)
{
    if (lineHeight == DesignLineHeight)
        return designed;
    const int left = scaled(designed.left(), lineHeight);
    const int top = scaled(designed.top(), lineHeight);
    return {left, top, scaled(designed.left() + designed.width(), lineHeight) - left,
            scaled(designed.top() + designed.height(), lineHeight) - top};
}
