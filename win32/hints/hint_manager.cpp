#include "hint_manager.h"

#include "balloon.h"
#include "windows_api.h"

namespace {

constexpr const wchar_t* TimerClassName = L"CribaxonHintTimers";
constexpr UINT_PTR SubclassId = 2;
constexpr UINT_PTR WakeTimer = 1;
constexpr UINT_PTR ShowTimer = 2;

} // namespace

HintManager::HintManager(HintTimings timings)
    : m_timings(timings)
{
    static const bool registered = [] {
        WNDCLASSEXW timers {};
        timers.cbSize = sizeof(timers);
        timers.lpfnWndProc = timerProcedure;
        timers.hInstance = GetModuleHandleW(nullptr);
        timers.lpszClassName = TimerClassName;
        return RegisterClassExW(&timers) != 0;
    }();
    (void)registered;
    m_timers = CreateWindowExW(0, TimerClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, this);
}

HintManager::~HintManager()
{
    hideHint();
    for (const auto& [control, text] : m_hints)
        RemoveWindowSubclass(control, controlProcedure, SubclassId);
    DestroyWindow(m_timers);
}

void HintManager::add(HWND control, std::wstring text)
{
    m_hints[control] = std::move(text);
    SetWindowSubclass(control, controlProcedure, SubclassId, reinterpret_cast<DWORD_PTR>(this));
    for (HWND child = GetWindow(control, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SetWindowSubclass(child, controlProcedure, SubclassId, reinterpret_cast<DWORD_PTR>(this));
}

HWND HintManager::ownerOf(HWND window) const
{
    for (; window; window = GetParent(window)) {
        if (m_hints.contains(window))
            return window;
        if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0)
            break;
    }
    return nullptr;
}

LRESULT CALLBACK HintManager::controlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR self)
{
    auto* hints = reinterpret_cast<HintManager*>(self);
    switch (message) {
    case WM_MOUSEMOVE: {
        if (const HWND owner = hints->ownerOf(window); owner != hints->m_owner)
            hints->pointerMovedTo(owner);
        TRACKMOUSEEVENT leave {sizeof(leave), TME_LEAVE, window, 0};
        TrackMouseEvent(&leave);
        break;
    }
    case WM_MOUSELEAVE: {
        // Leaving a field for its own button is no leaving of the field.
        POINT pointer {};
        GetCursorPos(&pointer);
        if (const HWND owner = hints->ownerOf(WindowFromPoint(pointer)); owner != hints->m_owner)
            hints->pointerMovedTo(owner);
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // What the user does with the control puts its hint away until the pointer comes back to it.
        if (hints->ownerOf(window) == hints->m_owner)
            hints->cancel();
        break;
    case WM_DESTROY:
        if (hints->ownerOf(window) == hints->m_owner)
            hints->pointerMovedTo(nullptr);
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK HintManager::timerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    } else if (message == WM_TIMER) {
        auto* hints = reinterpret_cast<HintManager*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        KillTimer(window, wParam);
        if (wParam == WakeTimer)
            hints->wakeUp();
        else
            hints->expire();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void HintManager::pointerMovedTo(HWND owner)
{
    if (m_balloon)
        m_quick = true;
    hideHint();
    m_owner = owner;
    m_spent = false;
    // Without an owner the timer measures the pointer's rest outside any control with a hint.
    if (owner || m_quick)
        SetTimer(m_timers, WakeTimer, owner && m_quick ? m_timings.shortPause : m_timings.pause, nullptr);
    else
        KillTimer(m_timers, WakeTimer);
}

void HintManager::wakeUp()
{
    if (m_owner && !m_spent)
        showHint(m_owner);
    else
        m_quick = false;
}

void HintManager::cancel()
{
    KillTimer(m_timers, WakeTimer);
    expire();
}

void HintManager::expire()
{
    hideHint();
    m_spent = true;
    m_quick = false;
}

void HintManager::showHint(HWND owner)
{
    hideHint();
    POINT pointer {};
    GetCursorPos(&pointer);
    m_balloon = showBalloon(m_hints.at(owner), m_font, pointer, static_cast<int>(GetDpiForWindow(owner)));
    SetTimer(m_timers, ShowTimer, m_timings.showTime, nullptr);
}

void HintManager::hideHint()
{
    KillTimer(m_timers, ShowTimer);
    if (m_balloon)
        DestroyWindow(m_balloon);
    m_balloon = nullptr;
}
