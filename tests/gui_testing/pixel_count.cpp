#include "pixel_count.h"

int pixelsOf(const QImage& image, const QColor& colour, QRect area)
{
    if (area.isNull())
        area = image.rect();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    }
    return count;
}

int pixelsNotOf(const QImage& image, const QColor& colour, QRect area)
{
    if (area.isNull())
        area = image.rect();
    return area.width() * area.height() - pixelsOf(image, colour, area);
}
