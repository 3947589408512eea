#pragma once

#include "window_placement.h"

class QWidget;

// The placement of a real top-level widget on the desktop's screens.
class WidgetPlacement final : public WindowPlacement
{
public:
    explicit WidgetPlacement(QWidget* window);

    int flags() const override;
    int showCommand() const override;
    bool isApplicationMinimized() const override;
    QRect normalFrame() const override;
    QRect frame() const override;
    bool knowsPosition() const override;

    void moveTo(QPoint topLeft) override;
    void setMaximized(bool maximized) override;
    void requestApplicationMinimize() override;

    QSize primaryScreenSize() const override;
    int pixelsPerInch() const override;
    bool isOffScreen(const QRect& frame) const override;

private:
    QWidget* m_window;
};
