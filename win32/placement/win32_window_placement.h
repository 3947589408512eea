#pragma once

#include "window_placement.h"

#include <windows.h>

// The placement of a top-level window as Windows keeps it: GetWindowPlacement
// and SetWindowPlacement, IsIconic and IsWindowVisible, the screen's metrics
// and pixels per inch. The window is the application's only top-level window.
class Win32WindowPlacement final : public WindowPlacement
{
public:
    explicit Win32WindowPlacement(HWND window);

    int flags() const override;
    ShowCommand showCommand() const override;
    bool isApplicationMinimized() const override;
    Frame normalFrame() const override;
    Frame frame() const override;
    Point minimizedPosition() const override;
    Point maximizedPosition() const override;
    bool knowsPosition() const override { return true; }

    void apply(const Record& record) override;
    void setMaximizedPositionToBorder() override;
    void setMaximized(bool maximized) override;
    void requestApplicationMinimize() override;

    Size primaryScreenSize() const override;
    int pixelsPerInch() const override;
    bool isOffScreen(Point topLeft, Size size) const override;

    // How the window is to be shown when it is first shown: the state a restore
    // set while it was hidden.
    int showCommandAtShow() const { return m_showCommandAtShow; }

private:
    WINDOWPLACEMENT placement() const;
    // Applies the record without showing a hidden window.
    void setPlacement(WINDOWPLACEMENT& placement) const;

    HWND m_window;
    int m_showCommandAtShow = SW_SHOWNORMAL;
};
