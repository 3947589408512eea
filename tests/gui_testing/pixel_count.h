#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

// How many pixels of the area of image (all of it when none is given) have the colour, or have another.
int pixelsOf(const QImage& image, const QColor& colour, QRect area = {});
int pixelsNotOf(const QImage& image, const QColor& colour, QRect area = {});
