#include "window_scaling.h"

namespace {

// value × numerator / denominator rounded to the nearest integer, halves away
// from zero, as the toolkit's MulDiv does.
int mulDiv(int value, int numerator, int denominator)
{
    const qint64 product = qint64(value) * numerator;
    const qint64 half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}

} // namespace

QRect scaledForLineHeight(const QRect& designed, int lineHeight)
{
    if (lineHeight == DesignLineHeight)
        return designed;
    const int left = mulDiv(designed.left(), lineHeight, DesignLineHeight);
    const int top = mulDiv(designed.top(), lineHeight, DesignLineHeight);
    return {left, top, mulDiv(designed.left() + designed.width(), lineHeight, DesignLineHeight) - left,
            mulDiv(designed.top() + designed.height(), lineHeight, DesignLineHeight) - top};
}

QSize scaledForLineHeight(QSize designed, int lineHeight)
{
    return scaledForLineHeight(QRect({0, 0}, designed), lineHeight).size();
}

int scaledForDpi(int designed, int dotsPerInch)
{
    return mulDiv(designed, dotsPerInch, DesignDotsPerInch);
}
