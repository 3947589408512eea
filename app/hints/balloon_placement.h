#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a balloon stands relative to the pointer it points at.
struct BalloonPlacement
{
    QRect rect;
    Qt::Edge calloutEdge; // Qt::TopEdge or Qt::BottomEdge
    Qt::Edge calloutEnd; // Qt::LeftEdge or Qt::RightEdge: the end of the balloon the callout stands at
};

// Places a balloon of the given size, whose callout tip stands tipInset pixels
// in from the balloon's left or right end, so that the tip touches the pointer,
// then pushes it inside the desktop. The screen is the one the pointer is on;
// the desktop is its part free for windows.
BalloonPlacement placeBalloon(QPoint pointer, QSize size, int tipInset, const QRect& screen, const QRect& desktop);
