#include "tfilename_edit.h"

#include "browse_dialog.h"
#include "browse_start.h"
#include "ecombo_edit_error.h"
#include "field_text.h"
#include "filename_rules.h"
#include "fonts.h"
#include "unique_handle.h"
#include "wide_text.h"
#include "window_scaling.h"
#include "windows_api.h"
#include "windows_file_queries.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// At 96 dots per inch, as the other lengths of the field's own drawing.
constexpr int ButtonWidth = 21;
constexpr int ButtonGap = 2;
constexpr UINT_PTR SubclassId = 1;
constexpr const wchar_t* ButtonClassName = L"TFilenameEditButton";
constexpr const wchar_t* FrameClassName = L"TFilenameEdit";
constexpr wchar_t Filter[] = L"Pitovan (*.mdb)\0*.mdb\0Rumbelo(*.txt)\0*.txt\0";
const WindowsFileQueries systemFiles {};

// The open folder of the browse button, 14 × 12 pixels; "." lets the button's face show.
constexpr std::array<std::string_view, 12> FolderPicture {
    ".oooo.........", "ollllo........", "olmmmmoooooo..", "olmmmmmmmmmo..", "olmmmmmmmmmo..", "olmooooooooooo",
    "olmopppppppppo", "oloyyyyyyyyyo.", "omoyyyyyyyyyo.", "ooyyyyyyyyyo..", "oodddddddddo..", "ooooooooooo...",
};

COLORREF folderColour(char pixel)
{
    switch (pixel) {
    case 'o':
        return RGB(0x78, 0x54, 0x00);
    case 'l':
        return RGB(0xF4, 0xCC, 0x5A);
    case 'm':
        return RGB(0xDE, 0xA4, 0x1E);
    case 'p':
        return RGB(0xFF, 0xF2, 0xAC);
    case 'd':
        return RGB(0xEC, 0xB4, 0x1E);
    default:
        return RGB(0xFF, 0xD6, 0x40);
    }
}

// Each pixel of the picture as a square of the screen's scale, so that it stays sharp.
void drawFolder(HDC dc, int left, int top, int dpi)
{
    for (int y = 0; y < static_cast<int>(FolderPicture.size()); ++y) {
        for (int x = 0; x < static_cast<int>(FolderPicture[static_cast<std::size_t>(y)].size()); ++x) {
            const char pixel = FolderPicture[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            if (pixel == '.')
                continue;
            const RECT square {left + scaledForDpi(x, dpi), top + scaledForDpi(y, dpi), left + scaledForDpi(x + 1, dpi),
                               top + scaledForDpi(y + 1, dpi)};
            const UniqueBrush brush(CreateSolidBrush(folderColour(pixel)));
            FillRect(dc, &square, brush.get());
        }
    }
}

std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring nameBoxText(const std::string& name)
{
    const std::wstring wide = toWide(name);
    const std::u16string_view cut
        = cutForNameBox(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
    return wide.substr(0, cut.size());
}

} // namespace

TFilenameEdit::~TFilenameEdit()
{
    if (m_frame) {
        RemoveWindowSubclass(m_edit, editProcedure, SubclassId);
        SetWindowLongPtrW(m_frame, GWLP_USERDATA, 0);
        SetWindowLongPtrW(m_button, GWLP_USERDATA, 0);
    }
}

void TFilenameEdit::create(HWND parent, int id)
{
    registerClasses();
    // The field's border holds the text box and the button side by side: an edit control paints over
    // children of its own. The dialog keys look inside it for the text box, its one tab stop.
    m_frame = CreateWindowExW(WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT, FrameClassName, L"",
                              WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, this);
    // No WS_EX_ACCEPTFILES: files dragged from the file manager are refused.
    m_edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_LEFT | ES_AUTOHSCROLL,
                             0, 0, 0, 0, m_frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    // Not a tab stop, and it never takes the focus: a press gives it to the field.
    m_button
        = CreateWindowExW(0, ButtonClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, m_frame, nullptr, nullptr, this);
    SendMessageW(m_edit, EM_SETLIMITTEXT, 0, 0);
    SetWindowSubclass(m_edit, editProcedure, SubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void TFilenameEdit::layOut(const Rect& rect, HFONT font, int dpi)
{
    m_dpi = dpi;
    SetWindowPos(m_frame, nullptr, rect.left, rect.top, rect.width, rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT inner {};
    GetClientRect(m_frame, &inner);
    const int buttonWidth = scaledForDpi(ButtonWidth, dpi);
    const int textWidth = std::max(0, static_cast<int>(inner.right) - buttonWidth - scaledForDpi(ButtonGap, dpi));
    SetWindowPos(m_button, nullptr, inner.right - buttonWidth, 0, buttonWidth, inner.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(m_edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // The text's line in the middle of the box's height, as a bordered edit control stands it.
    const int textHeight = std::min(static_cast<int>(inner.bottom), lineHeightOf(font));
    SetWindowPos(m_edit, nullptr, 0, (inner.bottom - textHeight) / 2, textWidth, textHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(m_frame, nullptr, TRUE);
}

std::string TFilenameEdit::Text() const
{
    return toUtf8(windowText(m_edit));
}

void TFilenameEdit::setText(const std::string& text)
{
    SetWindowTextW(m_edit, toWide(text).c_str());
}

std::string TFilenameEdit::FileName() const
{
    return LeadingFileName(Text(), systemFiles);
}

void TFilenameEdit::setFileName(const std::string& value)
{
    if (!acceptsFileNameValue(value, systemFiles))
        throw EComboEditError(invalidFileNameMessage(value));
    setText(QuoteSpacedName(value));
}

std::string TFilenameEdit::runFileName() const
{
    return nameFromFieldText(Text());
}

void TFilenameEdit::takeFocus()
{
    SendMessageW(m_edit, EM_SETSEL, 0, -1);
    SetFocus(m_edit);
}

void TFilenameEdit::browse()
{
    const BrowseStart start = browseStartOf(Text(), systemFiles, PathSyntax::Windows);
    if (start.initialDir)
        m_initialDir = *start.initialDir;
    if (start.proposedName)
        m_proposedName = *start.proposedName;

    BrowseDialog::Request request;
    request.owner = GetAncestor(m_frame, GA_ROOT);
    request.title = L"Browse";
    request.filter.assign(Filter, std::size(Filter));
    request.filterIndex = m_filterIndex;
    request.proposedName = nameBoxText(m_proposedName);
    request.initialDir = toWide(m_initialDir);
    request.options = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_HIDEREADONLY;
    const BrowseDialog::Result result = BrowseDialog::show(request);

    takeFocus();
    if (!result.confirmed)
        return;
    const std::string chosen = toUtf8(result.fileName);
    setText(QuoteSpacedName(chosen));
    m_initialDir = initialDirFromFolderPart(folderPart(chosen, PathSyntax::Windows), PathSyntax::Windows);
    m_proposedName = chosen;
    m_filterIndex = result.filterIndex;
}

LRESULT CALLBACK TFilenameEdit::editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR self)
{
    auto* field = reinterpret_cast<TFilenameEdit*>(self);
    switch (message) {
    case WM_SYSKEYDOWN:
        // Exactly Alt with the down arrow: the key comes as a system key only while Alt is held.
        if (wParam == VK_DOWN && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0) {
            field->browse();
            return 0;
        }
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK TFilenameEdit::buttonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* field = reinterpret_cast<TFilenameEdit*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!field)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_CAPTURECHANGED:
        return field->onButtonMouse(message, lParam);
    case WM_PAINT: {
        PAINTSTRUCT painting;
        const HDC dc = BeginPaint(window, &painting);
        field->drawButton(dc);
        EndPaint(window, &painting);
        return 0;
    }
    case WM_PRINTCLIENT:
        field->drawButton(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The press gives the focus to the field, not to the button; the browse starts on the release over the button.
LRESULT TFilenameEdit::onButtonMouse(UINT message, LPARAM lParam)
{
    RECT area {};
    GetClientRect(m_button, &area);
    const POINT at {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const bool inside = PtInRect(&area, at) != FALSE;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (GetFocus() != m_edit)
            takeFocus();
        m_pressing = true;
        SetCapture(m_button);
        setPushed(true);
        break;
    case WM_MOUSEMOVE:
        if (m_pressing)
            setPushed(inside);
        break;
    case WM_LBUTTONUP:
        if (!m_pressing)
            break;
        m_pressing = false;
        ReleaseCapture();
        setPushed(false);
        if (inside)
            browse();
        break;
    default: // the capture went elsewhere
        m_pressing = false;
        setPushed(false);
        break;
    }
    return 0;
}

void TFilenameEdit::setPushed(bool pushed)
{
    if (pushed == m_pushed)
        return;
    m_pushed = pushed;
    InvalidateRect(m_button, nullptr, FALSE);
}

void TFilenameEdit::drawButton(HDC dc) const
{
    RECT area {};
    GetClientRect(m_button, &area);
    RECT face = area;
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (m_pushed ? DFCS_PUSHED : 0));
    const int width = scaledForDpi(static_cast<int>(FolderPicture[0].size()), m_dpi);
    const int height = scaledForDpi(static_cast<int>(FolderPicture.size()), m_dpi);
    const int shift = m_pushed ? 1 : 0;
    drawFolder(dc, (area.right - width) / 2 + shift, (area.bottom - height) / 2 + shift, m_dpi);
}

void TFilenameEdit::registerClasses()
{
    static const bool registered = [] {
        WNDCLASSEXW button {};
        button.cbSize = sizeof(button);
        button.lpfnWndProc = buttonProcedure;
        button.hInstance = GetModuleHandleW(nullptr);
        button.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        button.lpszClassName = ButtonClassName;
        WNDCLASSEXW frame = button;
        frame.lpfnWndProc = frameProcedure;
        frame.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
        frame.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        frame.lpszClassName = FrameClassName;
        return RegisterClassExW(&button) != 0 && RegisterClassExW(&frame) != 0;
    }();
    (void)registered;
}

LRESULT CALLBACK TFilenameEdit::frameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* field = reinterpret_cast<TFilenameEdit*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_SETFOCUS:
    case WM_LBUTTONDOWN:
        // Around the text is the text's too.
        if (field)
            SetFocus(field->m_edit);
        return 0;
    case WM_COMMAND:
        // EN_CHANGE and the rest go on to the window, as from any control.
        return SendMessageW(GetParent(window), message, wParam, lParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
