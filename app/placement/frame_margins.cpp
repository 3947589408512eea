#include "frame_margins.h"

#include <QWidget>

QMargins frameMarginsOf(const QWidget* window)
{
    if (window == nullptr || !window->isVisible())
        return {};
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}
