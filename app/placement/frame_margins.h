#pragma once

#include <QMargins>

class QWidget;

// How far the desktop's frame reaches beyond a shown window on each side; none
// for a window not shown, whose frame is not known yet.
QMargins frameMarginsOf(const QWidget* window);
