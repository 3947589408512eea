#pragma once

#include "geometry.h"

#include <QPoint>
#include <QRect>
#include <QSize>

// The layout rules' geometry and Qt's, each way.

inline QPoint toQt(Point point)
{
    return {point.x, point.y};
}

inline QSize toQt(Size size)
{
    return {size.width, size.height};
}

inline QRect toQt(const Rect& rect)
{
    return {rect.left, rect.top, rect.width, rect.height};
}

inline Point fromQt(QPoint point)
{
    return {point.x(), point.y()};
}

inline Size fromQt(QSize size)
{
    return {size.width(), size.height()};
}

inline Rect fromQt(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}
