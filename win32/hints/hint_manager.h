#pragma once

#include <map>
#include <string>
#include <windows.h>

struct HintTimings
{
    // Pointer over a control before its hint comes up.
    UINT pause = 500;
    // The same, when the pointer comes from a control whose hint was showing.
    UINT shortPause = 50;
    // How long a hint stays up.
    UINT showTime = 2500;
};

// Shows the hints of a window's controls as light green balloons with the
// information icon beside the text, whose callout points at the mouse pointer.
// A control's child windows (a file-name field's browse button) show its hint.
class HintManager final
{
public:
    explicit HintManager(HintTimings timings = {});
    ~HintManager();
    HintManager(const HintManager&) = delete;
    HintManager& operator=(const HintManager&) = delete;

    // text is the control's hint, drawn in font.
    void add(HWND control, std::wstring text);
    void setFont(HFONT font) { m_font = font; }

    // The balloon on screen, or null; its window text is the hint's.
    HWND balloon() const { return m_balloon; }

private:
    static LRESULT CALLBACK controlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                             DWORD_PTR self);
    static LRESULT CALLBACK timerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND ownerOf(HWND window) const;
    void pointerMovedTo(HWND owner);
    void wakeUp();
    void expire();
    void cancel();
    void showHint(HWND owner);
    void hideHint();

    HintTimings m_timings;
    HWND m_timers = nullptr;
    HFONT m_font = nullptr;
    std::map<HWND, std::wstring> m_hints;
    // The control with a hint under the pointer.
    HWND m_owner = nullptr;
    // The owner's hint has come and gone; it comes again once the pointer has left the control.
    bool m_spent = false;
    // The pointer has just left a control whose hint was showing.
    bool m_quick = false;
    HWND m_balloon = nullptr;
};
