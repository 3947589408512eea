#pragma once

#include "window_placement.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

class QWidget;

// Where the window's frame stands has three sources, and this is which one wins.
// On X11, X11 does, wherever the window exists there: its place on the screen
// and the frame extents the manager last announced (_NET_FRAME_EXTENTS, none
// before it has framed the window), since Qt's idea lags where the manager
// changes the window's state on its own. Qt does where there is no X11 window
// (Wayland, off-screen, or before the window is created): pos() for the place,
// which is the frame's from the start, and frameGeometry() for the size. Where
// a maximized or minimized window's frame would stand in normal state neither
// can say: normalFrame() takes the one last seen on screen in normal state, or
// for a window not shown yet its position with the growth the manager answers
// when asked before the window first leaves normal state. The boxes centre
// themselves on Qt's margins alone (frame_margins.h): they are shown by then.

// The placement of a real top-level widget on the desktop's screens.
class WidgetPlacement final : public QObject, public WindowPlacement
{
    Q_OBJECT

public:
    explicit WidgetPlacement(QWidget* window);

    int flags() const override;
    ShowCommand showCommand() const override;
    bool isApplicationMinimized() const override;
    Frame normalFrame() const override;
    Frame frame() const override;
    Point minimizedPosition() const override;
    Point maximizedPosition() const override;
    bool knowsPosition() const override;

    void apply(const Record& record) override;
    void setMaximizedPositionToBorder() override;
    void setMaximized(bool maximized) override;
    void requestApplicationMinimize() override;

    Size primaryScreenSize() const override;
    int pixelsPerInch() const override;
    bool isOffScreen(Point topLeft, Size size) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRect frameGeometry() const;
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
