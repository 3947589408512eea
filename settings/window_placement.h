#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// What the stored settings need from the window's placement and the screen.
// Rectangles are the window's outer frame in screen pixels.
class WindowPlacement
{
public:
    // Windows' show commands, the numbers stored as ShowCmd.
    enum ShowCommand : int
    {
        ShowNormal = 1,
        ShowMinimized = 2,
        ShowMaximized = 3,
        Minimize = 6,
        ShowMinimizedInactive = 7,
    };
    // The flag of the placement flags word for a minimized window that would come back maximized.
    static constexpr int RestoreToMaximized = 2;

    virtual ~WindowPlacement() = default;

    // The placement flags word: RestoreToMaximized or none.
    virtual int flags() const = 0;
    // Normal, minimized or maximized.
    virtual ShowCommand showCommand() const = 0;
    virtual bool isApplicationMinimized() const = 0;
    // The frame the window has, or would have, in normal state.
    virtual QRect normalFrame() const = 0;
    virtual QRect frame() const = 0;
    // False where the desktop places windows and tells no program where they are.
    virtual bool knowsPosition() const = 0;

    // Moves the window's frame without showing the window.
    virtual void moveTo(QPoint topLeft) = 0;
    // Normal or maximized, through the window's state setter, then repainted.
    virtual void setMaximized(bool maximized) = 0;
    // Minimizes the whole application once the event loop comes to it.
    virtual void requestApplicationMinimize() = 0;

    virtual QSize primaryScreenSize() const = 0;
    virtual int pixelsPerInch() const = 0;
    // No pixel of a frame of this size lies on any screen. Any position in the
    // range of int is answered, wherever the frame's far edges would fall.
    virtual bool isOffScreen(QPoint topLeft, QSize size) const = 0;
};
