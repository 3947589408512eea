#include "information_box.h"

#include "dialog_placement.h"
#include "fonts.h"
#include "information_box_layout.h"
#include "message_boxes.h"
#include "unique_handle.h"

#include <cstdint>
#include <vector>

namespace {

constexpr DWORD BoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD BoxExStyle = WS_EX_DLGMODALFRAME;
constexpr const wchar_t* Caption = L"Aceptar";
constexpr UINT TextFormat = DT_LEFT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;

struct BoxState
{
    HWND owner;
    std::wstring text;
    UniqueFont font;
};

// A CR, an LF or CR LF each end a line, which the static control draws at CR LF.
std::wstring withWindowsLineEnds(const std::wstring& text)
{
    std::wstring lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') {
            if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
                ++i;
            lines += L"\r\n";
        } else {
            lines += text[i];
        }
    }
    return lines;
}

Rect monitorOf(HWND window)
{
    MONITORINFO info {};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info);
    return {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right - info.rcMonitor.left,
            info.rcMonitor.bottom - info.rcMonitor.top};
}

Size wrappedTextSize(HFONT font, const std::wstring& text, int widthLimit)
{
    const ScreenDc dc;
    const SelectedObject selected(dc.get(), font);
    RECT bounds {0, 0, widthLimit, 0};
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &bounds, TextFormat | DT_CALCRECT);
    return {bounds.right, bounds.bottom};
}

void layOut(HWND box, BoxState& state)
{
    const auto dpi = static_cast<int>(GetDpiForWindow(box));
    state.font = makeMessageFont(dpi);
    const HFONT font = state.font.get();
    const std::wstring letters(AverageWidthLetters.begin(), AverageWidthLetters.end());
    const MessageFontMeasures measures {.lettersWidth = textExtent(font, letters).width,
                                        .lineHeight = lineHeightOf(font),
                                        .captionWidth = textExtent(font, Caption).width};
    const Rect monitor = monitorOf(state.owner ? state.owner : box);
    const InformationBoxLayout layout = layOutInformationBox(
        wrappedTextSize(font, state.text, informationBoxTextWidthLimit(monitor.width)), measures);

    const HWND text = CreateWindowExW(
        0, L"STATIC", state.text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL,
        layout.text.left, layout.text.top, layout.text.width, layout.text.height, box,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(InformationTextId)), nullptr, nullptr);
    const HWND button
        = CreateWindowExW(0, L"BUTTON", Caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                          layout.button.left, layout.button.top, layout.button.width, layout.button.height, box,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(InformationButtonId)), nullptr, nullptr);
    SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    RECT frame {0, 0, layout.client.width, layout.client.height};
    AdjustWindowRectExForDpi(&frame, BoxStyle, FALSE, BoxExStyle, static_cast<UINT>(dpi));
    const Size frameSize {frame.right - frame.left, frame.bottom - frame.top};
    const Point topLeft = centredOn(monitor, frameSize);
    SetWindowPos(box, nullptr, topLeft.x, topLeft.y, frameSize.width, frameSize.height, SWP_NOZORDER);
    SetFocus(button);
}

INT_PTR CALLBACK boxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        auto* state = reinterpret_cast<BoxState*>(lParam);
        SetWindowTextW(box, ApplicationTitle);
        layOut(box, *state);
        return FALSE; // the focus is set
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(box, LOWORD(wParam));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

// A dialog template without controls, which the box makes itself once it knows its font.
std::vector<WORD> emptyTemplate()
{
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0); // no menu, the dialog class, no title
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
    header->style = BoxStyle;
    header->dwExtendedStyle = BoxExStyle;
    return words;
}

} // namespace

void showInformationBox(HWND owner, const std::wstring& text)
{
    BoxState state {owner, withWindowsLineEnds(text), {}};
    const std::vector<WORD> dialog = emptyTemplate();
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialog.data()), owner,
                            boxProcedure, reinterpret_cast<LPARAM>(&state));
}
