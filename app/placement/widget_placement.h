#pragma once

#include "window_placement.h"

#include <QObject>
#include <optional>

class QWidget;

// The placement of a real top-level widget on the desktop's screens.
class WidgetPlacement final : public QObject, public WindowPlacement
{
    Q_OBJECT

public:
    explicit WidgetPlacement(QWidget* window);

    int flags() const override;
    ShowCommand showCommand() const override;
    bool isApplicationMinimized() const override;
    QRect normalFrame() const override;
    QRect frame() const override;
    bool knowsPosition() const override;

    void moveTo(QPoint topLeft) override;
    void setMaximized(bool maximized) override;
    void requestApplicationMinimize() override;

    QSize primaryScreenSize() const override;
    int pixelsPerInch() const override;
    bool isOffScreen(QPoint topLeft, QSize size) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isNormal() const;
    void rememberNormalFrame();
    void learnNormalFrameGrowth();

    QWidget* m_window;
    // The frame's place in normal state, and how much larger than the window
    // the window manager makes the frame there (a maximized window has other
    // margins): as last seen on screen in normal state, or else where the
    // window was put and what the manager said before it first left that state.
    QPoint m_normalTopLeft;
    std::optional<QSize> m_normalFrameGrowth;
    bool m_shown = false;
};
