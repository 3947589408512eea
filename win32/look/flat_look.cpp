#include "flat_look.h"

#include "unique_handle.h"
#include "window_scaling.h"

#include <algorithm>
#include <string>

namespace {

constexpr int TickBoxSize = 13;
constexpr int TickTextGap = 4;

COLORREF mixed(COLORREF a, COLORREF b, int percentOfB)
{
    const auto mix = [&](int x, int y) {
        return static_cast<BYTE>((x * (100 - percentOfB) + y * percentOfB) / 100);
    };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

void fill(HDC dc, const RECT& rect, COLORREF colour)
{
    const UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.get());
}

void frame(HDC dc, const RECT& rect, COLORREF colour)
{
    const UniqueBrush brush(CreateSolidBrush(colour));
    FrameRect(dc, &rect, brush.get());
}

std::wstring captionOf(HWND control)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

struct Look
{
    bool hot;
    bool pressed;
    bool focused;
    bool disabled;
};

Look lookOf(HWND control)
{
    const auto state = static_cast<UINT>(SendMessageW(control, BM_GETSTATE, 0, 0));
    return {(state & BST_HOT) != 0, (state & BST_PUSHED) != 0, GetFocus() == control, !IsWindowEnabled(control)};
}

void drawCheckBox(HDC dc, HWND control, RECT area, int lineHeight)
{
    // A box without a region, the last row's, shows whole and is cleared whole.
    if (const UniqueRegion region(CreateRectRgn(0, 0, 0, 0)); GetWindowRgn(control, region.get()) == ERROR)
        fill(dc, area, GetSysColor(COLOR_BTNFACE));
    // Drawn in the part of the box that shows, above the next row's box.
    if (const LONG_PTR band = GetWindowLongPtrW(control, GWLP_USERDATA); band > 0)
        area.bottom = std::min(area.bottom, area.top + static_cast<LONG>(band));
    const Look look = lookOf(control);
    const bool ticked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    fill(dc, area, GetSysColor(COLOR_BTNFACE));

    const int size = scaledForLineHeight(Size {TickBoxSize, 0}, lineHeight).width;
    const int top = area.top + (area.bottom - area.top - size) / 2;
    const RECT box {area.left, top, area.left + size, top + size};
    const COLORREF line = look.disabled ? GetSysColor(COLOR_GRAYTEXT)
        : look.hot || look.focused      ? GetSysColor(COLOR_HIGHLIGHT)
                                        : GetSysColor(COLOR_BTNSHADOW);
    const COLORREF inside = look.disabled ? GetSysColor(COLOR_BTNFACE)
        : look.pressed                    ? mixed(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_HIGHLIGHT), 35)
        : look.hot                        ? mixed(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_HIGHLIGHT), 15)
                                          : GetSysColor(COLOR_WINDOW);
    fill(dc, box, inside);
    frame(dc, box, line);
    if (ticked) {
        // A disabled box keeps showing its tick, greyed.
        const int unit = std::max(1, size / 13);
        const UniqueHandle<HPEN, GdiObjectReleaser> pen(
            CreatePen(PS_SOLID, 2 * unit, look.disabled ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_WINDOWTEXT)));
        const SelectedObject selected(dc, pen.get());
        const POINT tick[] {{box.left + 3 * unit, top + 6 * unit},
                            {box.left + 5 * unit, top + 9 * unit},
                            {box.left + 10 * unit, top + 3 * unit}};
        Polyline(dc, tick, 3);
    }

    RECT text {box.right + scaledForLineHeight(Size {TickTextGap, 0}, lineHeight).width, area.top, area.right,
               area.bottom};
    const std::wstring caption = captionOf(control);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(look.disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    const UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    DrawTextW(dc, caption.c_str(), -1, &text, format);
    if (look.focused) {
        RECT used = text;
        DrawTextW(dc, caption.c_str(), -1, &used, format | DT_CALCRECT);
        const int height = used.bottom - used.top;
        used.top = text.top + (text.bottom - text.top - height) / 2;
        used.bottom = used.top + height;
        InflateRect(&used, 1, 0);
        DrawFocusRect(dc, &used);
    }
}

void drawPushButton(HDC dc, HWND control, const RECT& area)
{
    const Look look = lookOf(control);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    fill(dc, area,
         look.pressed   ? mixed(face, GetSysColor(COLOR_BTNSHADOW), 40)
             : look.hot ? mixed(face, GetSysColor(COLOR_WINDOW), 50)
                        : face);
    frame(dc, area, GetSysColor(look.focused || look.hot ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW));

    RECT text = area;
    if (look.pressed)
        OffsetRect(&text, 1, 1);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(look.disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextW(dc, captionOf(control).c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (look.focused) {
        RECT focus = area;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

} // namespace

LRESULT drawFlatButton(const NMCUSTOMDRAW& draw, int lineHeight)
{
    // The control's own erase would clear its whole rectangle, a box's part under the next row's box too, and
    // skipping it skips the drawing stage as well under Wine: the control is drawn at either stage.
    if (draw.dwDrawStage != CDDS_PREERASE && draw.dwDrawStage != CDDS_PREPAINT)
        return CDRF_DODEFAULT;
    const HWND control = draw.hdr.hwndFrom;
    const auto type = static_cast<UINT>(GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK);
    const SelectedObject font(draw.hdc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX)
        drawCheckBox(draw.hdc, control, draw.rc, lineHeight);
    else
        drawPushButton(draw.hdc, control, draw.rc);
    return CDRF_SKIPDEFAULT;
}
