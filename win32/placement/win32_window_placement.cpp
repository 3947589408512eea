#include "win32_window_placement.h"

#include <algorithm>
#include <cstdint>

Win32WindowPlacement::Win32WindowPlacement(HWND window)
    : m_window(window)
{ }

WINDOWPLACEMENT Win32WindowPlacement::placement() const
{
    WINDOWPLACEMENT placement {};
    placement.length = sizeof(placement);
    GetWindowPlacement(m_window, &placement);
    return placement;
}

void Win32WindowPlacement::setPlacement(WINDOWPLACEMENT& placement) const
{
    if (!IsWindowVisible(m_window))
        placement.showCmd = SW_HIDE;
    SetWindowPlacement(m_window, &placement);
}

int Win32WindowPlacement::flags() const
{
    return static_cast<int>(placement().flags);
}

WindowPlacement::ShowCommand Win32WindowPlacement::showCommand() const
{
    return static_cast<ShowCommand>(placement().showCmd);
}

bool Win32WindowPlacement::isApplicationMinimized() const
{
    return IsIconic(m_window) != FALSE;
}

WindowPlacement::Frame Win32WindowPlacement::normalFrame() const
{
    const RECT normal = placement().rcNormalPosition;
    return {{normal.left, normal.top}, {normal.right - normal.left, normal.bottom - normal.top}};
}

WindowPlacement::Frame Win32WindowPlacement::frame() const
{
    RECT outer {};
    GetWindowRect(m_window, &outer);
    return {{outer.left, outer.top}, {outer.right - outer.left, outer.bottom - outer.top}};
}

WindowPlacement::Point Win32WindowPlacement::minimizedPosition() const
{
    const POINT position = placement().ptMinPosition;
    return {position.x, position.y};
}

WindowPlacement::Point Win32WindowPlacement::maximizedPosition() const
{
    const POINT position = placement().ptMaxPosition;
    return {position.x, position.y};
}

void Win32WindowPlacement::apply(const Record& record)
{
    const Frame current = frame();
    WINDOWPLACEMENT wanted = placement();
    wanted.flags = static_cast<UINT>(record.flags);
    wanted.ptMinPosition = {record.minimized.x, record.minimized.y};
    wanted.ptMaxPosition = {record.maximized.x, record.maximized.y};
    // The border is fixed: the window keeps its own size wherever it is put.
    wanted.rcNormalPosition
        = {record.normalTopLeft.x, record.normalTopLeft.y, record.normalTopLeft.x + current.size.width,
           record.normalTopLeft.y + current.size.height};
    setPlacement(wanted);
}

void Win32WindowPlacement::setMaximizedPositionToBorder()
{
    WINDOWPLACEMENT wanted = placement();
    wanted.ptMaxPosition = {-GetSystemMetrics(SM_CXBORDER), -GetSystemMetrics(SM_CYBORDER)};
    setPlacement(wanted);
}

void Win32WindowPlacement::setMaximized(bool maximized)
{
    const int command = maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    if (!IsWindowVisible(m_window)) {
        m_showCommandAtShow = command;
        return;
    }
    // Normal on a normal window changes nothing.
    if (maximized != (IsZoomed(m_window) != FALSE))
        ShowWindow(m_window, command);
    InvalidateRect(m_window, nullptr, TRUE);
}

void Win32WindowPlacement::requestApplicationMinimize()
{
    PostMessageW(m_window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

WindowPlacement::Size Win32WindowPlacement::primaryScreenSize() const
{
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

int Win32WindowPlacement::pixelsPerInch() const
{
    const HDC screen = GetDC(nullptr);
    const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dotsPerInch;
}

bool Win32WindowPlacement::isOffScreen(Point topLeft, Size size) const
{
    // A stored position may be anywhere in the range of int, and its far edges beyond it.
    const auto clamped = [](std::int64_t value) {
        return static_cast<LONG>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
    };
    const RECT rect {topLeft.x, topLeft.y, clamped(std::int64_t {topLeft.x} + size.width),
                     clamped(std::int64_t {topLeft.y} + size.height)};
    return MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) == nullptr;
}
