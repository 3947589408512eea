#include "balloon_placement.h"

#include <algorithm>

BalloonPlacement placeBalloon(Point pointer, Size size, int tipInset, const Rect& screen, const Rect& desktop)
{
    BalloonPlacement placement;
    const bool upperHalf = 2 * (pointer.y - screen.top) < screen.height;
    placement.calloutEdge = upperHalf ? Edge::Top : Edge::Bottom;
    const int top = upperHalf ? pointer.y : pointer.y - size.height + 1;

    const bool nearLeftEdge = pointer.x - screen.left < size.width;
    placement.calloutEnd = nearLeftEdge ? Edge::Left : Edge::Right;
    const int left = nearLeftEdge ? pointer.x - tipInset : pointer.x - (size.width - 1 - tipInset);

    Rect& rect = placement.rect;
    rect = {left, top, size.width, size.height};
    // Right and bottom first, so that a balloon larger than the desktop keeps its top left corner in view.
    if (rect.right() > desktop.right())
        rect.left = desktop.right() - rect.width;
    if (rect.bottom() > desktop.bottom())
        rect.top = desktop.bottom() - rect.height;
    rect.left = std::max(rect.left, desktop.left);
    rect.top = std::max(rect.top, desktop.top);
    return placement;
}
