#include "balloon_placement.h"

BalloonPlacement placeBalloon(QPoint pointer, QSize size, int tipInset, const QRect& screen, const QRect& desktop)
{
    BalloonPlacement placement;
    const bool upperHalf = 2 * (pointer.y() - screen.top()) < screen.height();
    placement.calloutEdge = upperHalf ? Qt::TopEdge : Qt::BottomEdge;
    const int top = upperHalf ? pointer.y() : pointer.y() - size.height() + 1;

    const bool nearLeftEdge = pointer.x() - screen.left() < size.width();
    placement.calloutEnd = nearLeftEdge ? Qt::LeftEdge : Qt::RightEdge;
    const int left = nearLeftEdge ? pointer.x() - tipInset : pointer.x() - (size.width() - 1 - tipInset);

    QRect& rect = placement.rect;
    rect = QRect(QPoint(left, top), size);
    // Right and bottom first, so that a balloon larger than the desktop keeps its top left corner in view.
    if (rect.right() > desktop.right())
        rect.moveRight(desktop.right());
    if (rect.bottom() > desktop.bottom())
        rect.moveBottom(desktop.bottom());
    if (rect.left() < desktop.left())
        rect.moveLeft(desktop.left());
    if (rect.top() < desktop.top())
        rect.moveTop(desktop.top());
    return placement;
}
