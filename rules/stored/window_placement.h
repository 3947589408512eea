#pragma once

// What the stored settings need from the window's placement and the screen,
// in screen pixels; rectangles are the window's outer frame.
class WindowPlacement
{
public:
    struct Point
    {
        int x = 0;
        int y = 0;
        bool operator==(const Point&) const = default;
    };
    struct Size
    {
        int width = 0;
        int height = 0;
        bool operator==(const Size&) const = default;
    };
    struct Frame
    {
        Point topLeft;
        Size size;
        bool operator==(const Frame&) const = default;
    };

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
    virtual Frame normalFrame() const = 0;
    virtual Frame frame() const = 0;
    // The minimized and maximized positions of the placement record, where the
    // platform keeps them; (-1, -1) each where it does not.
    virtual Point minimizedPosition() const = 0;
    virtual Point maximizedPosition() const = 0;
    // False where the desktop places windows and tells no program where they are.
    virtual bool knowsPosition() const = 0;

    // What a restore sets of the placement record: the flags word, the
    // minimized and maximized positions, and where the normal frame stands
    // (its size stays the window's own).
    struct Record
    {
        int flags = 0;
        Point minimized;
        Point maximized;
        Point normalTopLeft;
    };
    // Applies the record without showing the window.
    virtual void apply(const Record& record) = 0;
    // Puts the maximized position at minus the width and height of the
    // window's thin border, without moving or showing the window.
    virtual void setMaximizedPositionToBorder() = 0;
    // Normal or maximized, through the window's state setter, then repainted.
    virtual void setMaximized(bool maximized) = 0;
    // Minimizes the whole application once the event loop comes to it.
    virtual void requestApplicationMinimize() = 0;

    virtual Size primaryScreenSize() const = 0;
    virtual int pixelsPerInch() const = 0;
    // No pixel of a frame of this size lies on any screen. Any position in the
    // range of int is answered, wherever the frame's far edges would fall.
    virtual bool isOffScreen(Point topLeft, Size size) const = 0;
};
