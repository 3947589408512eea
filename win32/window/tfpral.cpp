#include "tfpral.h"

#include "flat_look.h"
#include "fonts.h"
#include "message_boxes.h"
#include "resource_ids.h"
#include "run_generation.h"
#include "stored_text.h"
#include "user_message.h"
#include "wide_text.h"
#include "window_scaling.h"
#include "windows_api.h"

#include <cassert>
namespace {

constexpr const wchar_t* ClassName = L"TFPral";
constexpr const wchar_t* Caption = L"Zorvanti Cribaxon - Ver. Dic. 2005 1.1";
// Fixed single border, system menu and close box only.
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr POINT FirstStartPosition {450, 170};
constexpr COLORREF Panel1White = RGB(255, 255, 255);
constexpr COLORREF Panel2Grey = RGB(143, 143, 143);
constexpr UINT_PTR ButtonSubclassId = 3;

void registerWindowClass(WNDPROC procedure)
{
    static const bool registered = [procedure] {
        WNDCLASSEXW window {};
        window.cbSize = sizeof(window);
        window.lpfnWndProc = procedure;
        window.hInstance = GetModuleHandleW(nullptr);
        window.hIcon = LoadIconW(window.hInstance, MAKEINTRESOURCEW(CRIBAXON_ICON));
        window.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        window.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        window.lpszClassName = ClassName;
        return RegisterClassExW(&window) != 0;
    }();
    (void)registered;
}

// Runs the handling of one event; an exception that leaves it is shown in the error box and
// the event loop goes on. No exception may cross Windows' own frames.
template <typename Handler> LRESULT guardEvent(Handler&& handler) noexcept
{
    try {
        return handler();
    } catch (...) {
        MessageBoxes::error(userMessage(std::current_exception()));
        return 0;
    }
}

} // namespace

// The window's stored controls as the stored settings reach them, through their own getters and setters.
class TFPral::Controls final : public StoredControls
{
public:
    explicit Controls(TFPral& window)
        : m_window(window)
    { }

    bool has(const StoredProp& entry) const override { return find(entry) != nullptr; }

    std::string currentText(const StoredProp& entry) const override
    {
        if (entry.property == StoredProperty::Checked)
            return std::string(StoredText::fromBoolean(m_window.Checked(find(entry))));
        return field(entry).FileName();
    }

    void setFileName(const StoredProp& entry, const std::string& name) override { field(entry).setFileName(name); }
    void setChecked(const StoredProp& entry, bool checked) override { m_window.setChecked(find(entry), checked); }

private:
    // Component names match in any letter case of A to Z; a box has Checked, a field FileName.
    HWND find(const StoredProp& entry) const
    {
        for (const ControlRow& row : controlTable()) {
            const ControlKind wanted
                = entry.property == StoredProperty::Checked ? ControlKind::CheckBox : ControlKind::Field;
            if (row.kind == wanted && StoredText::equalIgnoringLatinCase(row.name, entry.component))
                return m_window.control(row.name);
        }
        return nullptr;
    }

    TFilenameEdit& field(const StoredProp& entry) const
    {
        return find(entry) == m_window.FilenameEdit1().frame() ? m_window.FilenameEdit1() : m_window.FilenameEdit2();
    }

    TFPral& m_window;
};

TFPral::TFPral(FileSystem& fileSystem, SettingsStore& settings, Options options)
    : m_fileSystem(fileSystem)
    , m_settings(settings)
    , m_options(options)
    , m_picture1(CRIBAXON_PICTURE1, CRIBAXON_PICTURE1_LARGE)
    , m_picture2(CRIBAXON_PICTURE2, CRIBAXON_PICTURE2_LARGE)
{
    registerWindowClass(procedure);
    registerLookClasses();
    CreateWindowExW(0, ClassName, Caption, WindowStyle, FirstStartPosition.x, FirstStartPosition.y, 0, 0, nullptr,
                    nullptr, GetModuleHandleW(nullptr), this);
    assert(m_window);
    m_placement = std::make_unique<Win32WindowPlacement>(m_window);
    m_storedControls = std::make_unique<Controls>(*this);
    // Restores when the window is first shown and saves when it closes.
    FormStorage1 = std::make_unique<FormStorage>(m_settings, "TFPral", *m_placement, *m_storedControls,
                                                 [](const std::string& message) { MessageBoxes::error(message); });
}

TFPral::~TFPral()
{
    if (IsWindow(m_window))
        DestroyWindow(m_window);
}

void TFPral::onCreate()
{
    m_dpi = static_cast<int>(GetDpiForWindow(m_window));
    for (const ControlRow& row : controlTable())
        createControl(row);
    for (std::size_t i = 0; i < CategoryTable.size(); ++i) {
        const CategoryFacts& facts = CategoryTable[i];
        m_categoryRows[i]
            = {facts.category, control(facts.identifier), control(facts.speedIdentifier), CategoryClicks[i]};
    }
    SetWindowSubclass(control("cxButton1"), buttonProcedure, ButtonSubclassId, reinterpret_cast<DWORD_PTR>(this));
    m_hints.add(FilenameEdit1().frame(), L"Seleccionar el fichero original de datos del Pitovan o Rumbelo");
    m_hints.add(FilenameEdit2().frame(), L"Seleccionar la carpeta y fichero a crear la base de puntos");
    m_hints.add(control("cxButton1"), L"Pulsar este botón para generar el nuevo fichero.");
    layOut();
}

void TFPral::createControl(const ControlRow& row)
{
    const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id));
    const std::wstring text = toWide(row.text);
    HWND created = nullptr;
    switch (row.kind) {
    case ControlKind::Field: {
        TFilenameEdit& field = row.name == "FilenameEdit1" ? FilenameEdit1() : FilenameEdit2();
        field.create(m_window, row.id);
        created = field.frame();
        break;
    }
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
        created = CreateWindowExW(0, L"BUTTON", text.c_str(), WS_CHILD | WS_VISIBLE | row.style, 0, 0, 0, 0, m_window,
                                  menu, nullptr, nullptr);
        break;
    case ControlKind::Label:
        created = CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | row.style, 0, 0, 0, 0, m_window,
                                  menu, nullptr, nullptr);
        break;
    case ControlKind::Panel:
        created = createPanel(m_window, {}, row.name == "Panel1" ? Panel1White : Panel2Grey);
        SetWindowLongPtrW(created, GWLP_ID, row.id);
        break;
    case ControlKind::Picture:
        created = (row.name == "Image1" ? m_picture1 : m_picture2).create(control(row.parent), {});
        SetWindowLongPtrW(created, GWLP_ID, row.id);
        break;
    case ControlKind::StatusBar:
        // Placed by the window, not by itself: its height scales with the layout.
        created = CreateWindowExW(0, STATUSCLASSNAMEW, L"",
                                  WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0, 0, 0, 0,
                                  m_window, menu, nullptr, nullptr);
        SendMessageW(created, SB_SIMPLE, TRUE, 0);
        SendMessageW(created, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
        break;
    }
    m_controls[row.name] = created;
}

void TFPral::layOut()
{
    // The old fonts go only once no control uses them any more.
    UniqueFont font = makeWindowFont(m_dpi);
    UniqueFont statusFont = makeStatusFont(m_dpi);
    const int lineHeight = lineHeightOf(font.get());
    const int bandHeight = scaledForLineHeight(Size {0, DesignedRowPitch}, lineHeight).height;
    for (const ControlRow& row : controlTable()) {
        const HWND control = m_controls.at(row.name);
        Rect rect = scaledForLineHeight(row.designed, lineHeight);
        switch (row.kind) {
        case ControlKind::Field:
            (row.name == "FilenameEdit1" ? FilenameEdit1() : FilenameEdit2()).layOut(rect, font.get(), m_dpi);
            continue;
        case ControlKind::Label: {
            // A label takes the size of its text.
            const Size text = textExtent(font.get(), toWide(row.text));
            rect = {rect.left, rect.top, text.width, text.height};
            break;
        }
        case ControlKind::Picture:
            (row.name == "Image1" ? m_picture1 : m_picture2).setLineHeight(lineHeight);
            break;
        case ControlKind::CheckBox: {
            // The box of the row below lies over the lowest part of this one: it gets the mouse there,
            // and the contents are drawn in the part that shows.
            const bool lastRow = row.designed.top == controlRow("ZE").designed.top;
            SetWindowRgn(control, lastRow ? nullptr : CreateRectRgn(0, 0, rect.width, bandHeight), FALSE);
            SetWindowLongPtrW(control, GWLP_USERDATA, bandHeight);
            break;
        }
        default:
            break;
        }
        SetWindowPos(control, nullptr, rect.left, rect.top, rect.width, rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
        const HFONT shown = row.kind == ControlKind::StatusBar ? statusFont.get() : font.get();
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(shown), FALSE);
    }
    m_hints.setFont(font.get());
    m_font = std::move(font);
    m_statusFont = std::move(statusFont);
    const Size size = frameSize();
    SetWindowPos(m_window, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(m_window, nullptr, TRUE);
}

Size TFPral::frameSize() const
{
    const Size client = scaledForLineHeight(DesignedClientSize, lineHeightOf(m_font.get()));
    RECT frame {0, 0, client.width, client.height};
    AdjustWindowRectExForDpi(&frame, WindowStyle, FALSE, 0, static_cast<UINT>(m_dpi));
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void TFPral::show()
{
    FormStorage1->windowShowing();
    ShowWindow(m_window, m_placement->showCommandAtShow());
    UpdateWindow(m_window);
    SetForegroundWindow(m_window);
    if (GetFocus() == nullptr || !IsChild(m_window, GetFocus()))
        FilenameEdit1().takeFocus();
}

bool TFPral::preTranslate(MSG& message)
{
    return IsDialogMessageW(m_window, &message) != FALSE;
}

HWND TFPral::control(std::string_view name) const
{
    const auto found = m_controls.find(name);
    return found == m_controls.end() ? nullptr : found->second;
}

RunOptions TFPral::runOptions() const
{
    RunOptions options;
    for (const CategoryRow& row : m_categoryRows) {
        options.setKeeps(row.category, Checked(row.box));
        options.setKeepsSpeedWarning(row.category, Checked(row.speedBox));
    }
    return options;
}

bool TFPral::Checked(HWND box) const
{
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TFPral::setChecked(HWND box, bool checked)
{
    if (Checked(box) == checked)
        return;
    SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    for (const CategoryRow& row : m_categoryRows) {
        if (row.box == box)
            (this->*row.click)(box);
    }
}

void TFPral::coupleSpeedBoxOf(HWND box)
{
    for (const CategoryRow& row : m_categoryRows) {
        if (row.box == box)
            EnableWindow(row.speedBox, Checked(box));
    }
}

void TFPral::cxButton1Click()
{
    RunGeneration(FilenameEdit1().runFileName(), FilenameEdit2().runFileName(), runOptions(), *this, m_fileSystem);
}

void TFPral::showMessage(std::string_view text)
{
    MessageBoxes::information(m_window, text);
}

void TFPral::focusSourceField()
{
    FilenameEdit1().takeFocus();
}

void TFPral::focusDestinationField()
{
    FilenameEdit2().takeFocus();
}

LRESULT CALLBACK TFPral::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TFPral*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TFPral*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    return guardEvent([&] { return self->handle(message, wParam, lParam); });
}

LRESULT TFPral::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        onCreate();
        return 0;
    case WM_COMMAND:
        onCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_ACTIVATE:
        onActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CLOSE:
        onClose();
        return 0;
    case WM_ENDSESSION:
        // The session ends as the close box would end the program: the settings are saved.
        if (wParam)
            onClose();
        return 0;
    case WM_DESTROY:
        onDestroy();
        return 0;
    default:
        return DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void TFPral::onCommand(HWND control, UINT code)
{
    // IDOK and IDCANCEL, which Enter and Esc send, press nothing: the window has no default or cancel button.
    if (code != BN_CLICKED || !control)
        return;
    if (control == this->control("cxButton1")) {
        cxButton1Click();
        return;
    }
    for (const CategoryRow& row : m_categoryRows) {
        if (row.box == control)
            (this->*row.click)(control);
    }
}

LRESULT TFPral::onNotify(const NMHDR& header)
{
    if (header.code != NM_CUSTOMDRAW)
        return 0;
    for (const ControlRow& row : controlTable()) {
        if (control(row.name) == header.hwndFrom
            && (row.kind == ControlKind::CheckBox || row.kind == ControlKind::PushButton))
            return drawFlatButton(reinterpret_cast<const NMCUSTOMDRAW&>(header), lineHeightOf(m_font.get()));
    }
    return CDRF_DODEFAULT;
}

void TFPral::onActivate(bool active)
{
    // As a dialog does: the focus comes back where it was when the window was last left.
    if (!active) {
        const HWND focus = GetFocus();
        m_focusBeforeDeactivation = IsChild(m_window, focus) ? focus : nullptr;
        return;
    }
    if (m_focusBeforeDeactivation && IsWindow(m_focusBeforeDeactivation))
        SetFocus(m_focusBeforeDeactivation);
    else
        FilenameEdit1().takeFocus();
}

void TFPral::onDpiChanged(int dpi, const RECT& suggested)
{
    m_dpi = dpi;
    layOut();
    // Where the system suggests, at the size the layout gives.
    const Size size = frameSize();
    SetWindowPos(m_window, nullptr, suggested.left, suggested.top, size.width, size.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFPral::onClose()
{
    // No question is asked: the close is granted.
    if (FormStorage1)
        FormStorage1->windowCloseQueried(true);
    DestroyWindow(m_window);
}

void TFPral::onDestroy()
{
    if (FormStorage1)
        FormStorage1->windowDestroying();
    if (m_options.quitWhenDestroyed)
        PostQuitMessage(0);
}

LRESULT CALLBACK TFPral::buttonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    // Enter presses "Generar" while it has the focus, as the default button of a dialog, though it is none.
    if (message == WM_GETDLGCODE)
        return (DefSubclassProc(window, message, wParam, lParam) & ~DLGC_UNDEFPUSHBUTTON) | DLGC_DEFPUSHBUTTON;
    return DefSubclassProc(window, message, wParam, lParam);
}
