#include "browse_dialog.h"
#include "fake_file_system.h"
#include "fonts.h"
#include "geometry_printing.h"
#include "information_box.h"
#include "message_boxes.h"
#include "registry_settings_store.h"
#include "tfpral.h"
#include "wide_text.h"
#include "win32_testing.h"
#include "window_scaling.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <uxtheme.h>
#include <vector>

using Win32Testing::pumpUntil;
using Win32Testing::ScratchKey;

namespace {

struct Shown
{
    MessageBoxes::Kind kind;
    std::string text;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* out)
{
    *out << (shown.kind == MessageBoxes::Kind::Error ? "error box: " : "information box: ") << shown.text;
}

// The window of a first start in a store of its own; the boxes are recorded, not shown.
class WindowTest : public testing::Test
{
protected:
    TFPral& start()
    {
        m_window = std::make_unique<TFPral>(m_files, m_store, TFPral::Options {.quitWhenDestroyed = false});
        m_window->show();
        return *m_window;
    }
    HWND control(std::string_view name) const { return m_window->control(name); }
    void close() { SendMessageW(m_window->window(), WM_CLOSE, 0, 0); }
    bool Checked(std::string_view name) const { return m_window->Checked(control(name)); }
    void click(std::string_view name) { SendMessageW(control(name), BM_CLICK, 0, 0); }

    // A key pressed and released on the focused control, through the window's keys first, as the message loop does.
    void press(UINT key, bool shift = false)
    {
        BYTE keys[256] {};
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        for (const auto& [message, flags] : {std::pair {WM_KEYDOWN, 1u}, std::pair {WM_KEYUP, 0xC0000001u}}) {
            MSG msg {GetFocus(), static_cast<UINT>(message), key, static_cast<LPARAM>(flags), 0, {}};
            if (!m_window->preTranslate(msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }

    std::string focused() const
    {
        const HWND focus = GetFocus();
        for (const ControlRow& row : controlTable()) {
            if (control(row.name) == focus || IsChild(control(row.name), focus))
                return std::string(row.name);
        }
        return "(other)";
    }

    Rect placeOf(std::string_view name) const
    {
        RECT rect {};
        GetWindowRect(control(name), &rect);
        MapWindowPoints(nullptr, GetParent(control(name)), reinterpret_cast<POINT*>(&rect), 2);
        return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    }

    ScratchKey m_key {L"Window"};
    RegistrySettingsStore m_store {m_key.path()};
    FakeFileSystem m_files;
    std::vector<Shown> m_shown;
    std::optional<MessageBoxes::Hook::Scoped> m_boxHook {std::in_place, MessageBoxes::testHook,
                                                         [this](MessageBoxes::Kind kind, const std::string& text) {
                                                             m_shown.push_back({kind, text});
                                                         }};
    std::unique_ptr<TFPral> m_window;
};

// At 96 dots per inch, where the window font's line height is the designed 13 pixels.
struct PlaceCase
{
    const char* name;
    Rect expected;
};

class ControlPlaces : public WindowTest, public testing::WithParamInterface<PlaceCase>
{
};

TEST_P(ControlPlaces, AsDesignedAt96DotsPerInch)
{
    start();
    ASSERT_EQ(GetDpiForWindow(m_window->window()), 96u);
    EXPECT_EQ(placeOf(GetParam().name), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    , ControlPlaces,
    testing::Values(PlaceCase {"FilenameEdit1", {86, 148, 201, 21}}, PlaceCase {"FilenameEdit2", {86, 172, 201, 21}},
                    PlaceCase {"cxButton1", {86, 328, 129, 33}}, PlaceCase {"RF", {8, 208, 121, 21}},
                    PlaceCase {"ZE", {8, 288, 121, 21}}, PlaceCase {"RF1", {144, 208, 140, 21}},
                    PlaceCase {"ZE1", {144, 288, 140, 21}}, PlaceCase {"Label1", {8, 152, 69, 13}},
                    PlaceCase {"Label2", {8, 176, 60, 13}}, PlaceCase {"Panel1", {0, 0, 153, 137}},
                    PlaceCase {"Panel2", {152, 0, 148, 137}}, PlaceCase {"Image1", {0, 0, 150, 137}},
                    PlaceCase {"Image2", {-2, 0, 150, 137}}, PlaceCase {"StatusBar1", {0, 375, 300, 19}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, FirstStartAtItsDesignedPlaceAndSize)
{
    start();
    RECT outer {};
    GetWindowRect(m_window->window(), &outer);
    RECT client {};
    GetClientRect(m_window->window(), &client);
    EXPECT_EQ((Point {outer.left, outer.top}), (Point {450, 170}));
    EXPECT_EQ((Size {client.right, client.bottom}), (Size {300, 394}));
    EXPECT_EQ(lineHeightOf(reinterpret_cast<HFONT>(SendMessageW(control("RF"), WM_GETFONT, 0, 0))), 13);
    const LONG_PTR style = GetWindowLongPtrW(m_window->window(), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(focused(), "FilenameEdit1");
    for (const char* box : {"RF1", "RM1", "TC1", "PP1", "PN1", "ZE1"})
        EXPECT_FALSE(IsWindowEnabled(control(box))) << box;
    const auto cursor = reinterpret_cast<HCURSOR>(GetClassLongPtrW(control("Image1"), GCLP_HCURSOR));
    EXPECT_EQ(cursor, LoadCursorW(nullptr, IDC_HAND)) << "a pointing hand over the pictures";
}

// The pointer over the overlapping lowest rows of a box belongs to the box of the row below.
TEST_F(WindowTest, LowerRowTakesTheMouseWhereBoxesOverlap)
{
    start();
    const auto under = [&](int x, int y) {
        POINT screen {x, y};
        ClientToScreen(m_window->window(), &screen);
        return WindowFromPoint(screen);
    };
    EXPECT_EQ(under(20, 226), control("RM")) << "2 pixels into RM, 18 into RF";
    EXPECT_EQ(under(20, 222), control("RF"));
    EXPECT_EQ(under(20, 306), control("ZE")) << "the last row keeps its whole height";
}

// The grey panel lies over the white one's last column: the white panel draws nothing there, below the grey
// panel's picture, which is shorter than its panel, either.
TEST_F(WindowTest, WhitePanelDrawsNothingUnderTheGreyOne)
{
    start();
    const HWND white = control("Panel1");
    const HDC dc = GetDC(white);
    RECT clip {};
    GetClipBox(dc, &clip);
    ReleaseDC(white, dc);
    EXPECT_EQ(clip.right, placeOf("Panel2").left - placeOf("Panel1").left);
}

// A box redrawn on its own, as when it is ticked or enabled, leaves the part that the next row's box covers alone,
// themed or not: under Wine that redraw is not held to the box's region. The last row's box is drawn whole.
TEST_F(WindowTest, BoxRedrawnLeavesTheNextRowAlone)
{
    start();
    for (const bool themed : {true, false}) {
        for (const char* name : {"RM", "RM1", "ZE"}) {
            if (!themed)
                SetWindowTheme(control(name), L"", L"");
            RECT client {};
            GetClientRect(control(name), &client);
            const HDC dc = CreateCompatibleDC(nullptr);
            BITMAPINFO format {};
            format.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
            void* bits = nullptr;
            const HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
            const HGDIOBJ old = SelectObject(dc, bitmap);
            constexpr COLORREF Untouched = RGB(255, 0, 255);
            const HBRUSH brush = CreateSolidBrush(Untouched);
            FillRect(dc, &client, brush);
            SendMessageW(control(name), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
            EXPECT_NE(GetPixel(dc, 1, 1), Untouched) << name << " draws its own band";
            // The last row, with no row below it, shows whole.
            EXPECT_EQ(GetPixel(dc, 1, client.bottom - 1) == Untouched, std::string_view(name) != "ZE")
                << name << (themed ? " themed" : " unthemed") << " draws over the next row or leaves its own part";
            SelectObject(dc, old);
            DeleteObject(bitmap);
            DeleteObject(brush);
            DeleteDC(dc);
        }
    }
}

struct FocusCase
{
    const char* name;
    std::vector<const char*> ticked;
    bool backwards;
    std::vector<const char*> order;
};

class FocusOrder : public WindowTest, public testing::WithParamInterface<FocusCase>
{
};

TEST_P(FocusOrder, FollowsTheTabOrder)
{
    start();
    for (const char* box : GetParam().ticked)
        click(box);
    m_window->FilenameEdit1().takeFocus();
    std::vector<std::string> visited;
    for (std::size_t i = 0; i < GetParam().order.size(); ++i) {
        press(VK_TAB, GetParam().backwards);
        visited.push_back(focused());
    }
    EXPECT_EQ(visited, std::vector<std::string>(GetParam().order.begin(), GetParam().order.end()));
}

INSTANTIATE_TEST_SUITE_P(, FocusOrder,
                         testing::Values(FocusCase {"DisabledSpeedBoxesPassedOver",
                                                    {},
                                                    false,
                                                    {"FilenameEdit2", "cxButton1", "RF", "RM", "TC", "PP", "PN", "ZE",
                                                     "FilenameEdit1"}},
                                         FocusCase {"EnabledSpeedBoxesAfterAllCategories",
                                                    {"RF", "PN"},
                                                    false,
                                                    {"FilenameEdit2", "cxButton1", "RF", "RM", "TC", "PP", "PN", "ZE",
                                                     "RF1", "PN1", "FilenameEdit1"}},
                                         FocusCase {"ShiftTabBackwards", {"ZE"}, true, {"ZE1", "ZE", "PN", "PP"}}),
                         [](const auto& info) { return std::string(info.param.name); });

// Each step: an action on a box, then the states of RF and RF1 it leaves.
struct CouplingStep
{
    enum Action
    {
        Click,
        Space,
        Set,
        Unset,
        TickSpeedBox,
        SilentTick,
    } action;
    bool categoryTicked;
    bool speedTicked;
    bool speedEnabled;
};

struct CouplingCase
{
    const char* name;
    std::vector<CouplingStep> steps;
};

class Coupling : public WindowTest, public testing::WithParamInterface<CouplingCase>
{
};

TEST_P(Coupling, SpeedBoxEnabledWhileItsCategoryIsTicked)
{
    start();
    int step = 0;
    for (const CouplingStep& row : GetParam().steps) {
        switch (row.action) {
        case CouplingStep::Click:
            click("RF");
            break;
        case CouplingStep::Space:
            SetFocus(control("RF"));
            press(VK_SPACE);
            break;
        case CouplingStep::Set:
        case CouplingStep::Unset:
            m_window->setChecked(control("RF"), row.action == CouplingStep::Set);
            break;
        case CouplingStep::TickSpeedBox:
            m_window->setChecked(control("RF1"), true);
            break;
        case CouplingStep::SilentTick:
            // Ticked behind the window's back: the handler does not know.
            SendMessageW(control("RF"), BM_SETCHECK, BST_CHECKED, 0);
            break;
        }
        ++step;
        EXPECT_EQ(Checked("RF"), row.categoryTicked) << "step " << step;
        EXPECT_EQ(Checked("RF1"), row.speedTicked) << "step " << step;
        EXPECT_EQ(IsWindowEnabled(control("RF1")) != FALSE, row.speedEnabled) << "step " << step;
    }
}

INSTANTIATE_TEST_SUITE_P(
    , Coupling,
    testing::Values(
        CouplingCase {"ClickTicksAndUnticks",
                      {{CouplingStep::Click, true, false, true}, {CouplingStep::Click, false, false, false}}},
        CouplingCase {"SpeedTickKeptWhileDisabled",
                      {{CouplingStep::Click, true, false, true},
                       {CouplingStep::TickSpeedBox, true, true, true},
                       {CouplingStep::Click, false, true, false},
                       {CouplingStep::Click, true, true, true}}},
        CouplingCase {"SpaceBarToggles",
                      {{CouplingStep::Space, true, false, true}, {CouplingStep::Space, false, false, false}}},
        CouplingCase {"ProgramAssignment",
                      {{CouplingStep::Set, true, false, true}, {CouplingStep::Unset, false, false, false}}},
        CouplingCase {"SameValueRunsNoHandler",
                      {{CouplingStep::SilentTick, true, false, false}, {CouplingStep::Set, true, false, false}}},
        CouplingCase {"SpeedBoxTickedWhileDisabled", {{CouplingStep::TickSpeedBox, false, true, false}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RunCase
{
    const char* name;
    const char* source;
    const char* destination;
    std::string sourceBytes;
    std::vector<Shown> shown;
    const char* focusAfter;
};

class Run : public WindowTest, public testing::WithParamInterface<RunCase>
{
};

TEST_P(Run, TellsItsOutcomeInTheBoxes)
{
    const RunCase& row = GetParam();
    m_files.files["C:\\datos\\origen.mdb"].bytes = row.sourceBytes;
    start();
    m_window->FilenameEdit1().setText(row.source);
    m_window->FilenameEdit2().setText(row.destination);
    SetFocus(control("cxButton1"));
    press(VK_RETURN);
    EXPECT_EQ(m_shown, row.shown);
    EXPECT_EQ(focused(), row.focusAfter);
}

const std::string Completed = "¡¡Fichero finalizado!!\r\rEste nuevo fichero de datos le servirá\r"
                              "para cargar su Rumbelo o Pitovan con\rlos datos que Vd. desea.";
INSTANTIATE_TEST_SUITE_P(, Run,
                         testing::Values(RunCase {"Completed",
                                                  "\"C:\\datos\\origen.mdb\"",
                                                  "C:\\datos\\final.mdb",
                                                  "574C\r\n",
                                                  {{MessageBoxes::Kind::Information, Completed}},
                                                  "cxButton1"},
                                         RunCase {"SourceOfNoFamily",
                                                  "C:\\datos\\origen.doc",
                                                  "C:\\datos\\final.mdb",
                                                  "",
                                                  {{MessageBoxes::Kind::Information,
                                                    "No ha seleccionado un fichero origen de datos válido!"}},
                                                  "FilenameEdit1"},
                                         RunCase {"DestinationOfAnotherFamily",
                                                  "C:\\datos\\origen.mdb",
                                                  "C:\\datos\\final.txt",
                                                  "574C\r\n",
                                                  {{MessageBoxes::Kind::Information,
                                                    "No ha seleccionado un fichero final de datos válido!"}},
                                                  "FilenameEdit2"},
                                         RunCase {"HeaderRejected",
                                                  "C:\\datos\\origen.mdb",
                                                  "C:\\datos\\final.mdb",
                                                  "4348\r\n",
                                                  {{MessageBoxes::Kind::Information, "¡Fichero de Pitovan no válido!"}},
                                                  "cxButton1"},
                                         RunCase {"MissingSourceInTheErrorBox",
                                                  "C:\\datos\\otro.mdb",
                                                  "C:\\datos\\final.mdb",
                                                  "",
                                                  {{MessageBoxes::Kind::Error, "No se encuentra el archivo."}},
                                                  "cxButton1"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, EnterOrEscapeInAFieldStartsNoRun)
{
    start();
    m_window->FilenameEdit1().setText("C:\\datos\\origen.doc");
    press(VK_RETURN);
    press(VK_ESCAPE);
    EXPECT_TRUE(m_shown.empty());
    EXPECT_EQ(m_window->FilenameEdit1().Text(), "C:\\datos\\origen.doc");
}

TEST_F(WindowTest, RunOptionsReadEveryBoxDisabledOrNot)
{
    start();
    click("TC");
    m_window->setChecked(control("PN1"), true);
    const RunOptions options = m_window->runOptions();
    EXPECT_TRUE(options.TC);
    EXPECT_TRUE(options.PN1);
    EXPECT_FALSE(options.RF || options.RM || options.PP || options.PN || options.ZE);
    EXPECT_FALSE(options.RF1 || options.RM1 || options.TC1 || options.PP1 || options.ZE1);
}

TEST_F(WindowTest, InformationBoxWithItsTextAndButton)
{
    m_boxHook.reset();
    start();
    struct Seen
    {
        std::wstring caption;
        std::wstring text;
        std::wstring button;
        bool buttonFocused = false;
    };
    static Seen seen;
    seen = {};
    // Closes the box once it is there, from within its own message loop.
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND box = GetActiveWindow();
        wchar_t text[256] {};
        if (!box || GetClassNameW(box, text, 256) == 0 || std::wstring(text) != L"#32770" || !IsWindowVisible(box))
            return;
        GetWindowTextW(box, text, 256);
        seen.caption = text;
        GetDlgItemTextW(box, InformationTextId, text, 256);
        seen.text = text;
        GetDlgItemTextW(box, InformationButtonId, text, 256);
        seen.button = text;
        seen.buttonFocused = GetFocus() == GetDlgItem(box, InformationButtonId);
        SendMessageW(box, WM_COMMAND, IDCANCEL, 0);
    });
    MessageBoxes::information(m_window->window(), "Uno\r\rDos");
    KillTimer(nullptr, timer);
    EXPECT_EQ(seen.caption, L"Zorvanti Cribaxon");
    EXPECT_EQ(seen.text, L"Uno\r\n\r\nDos");
    EXPECT_EQ(seen.button, L"Aceptar");
    EXPECT_TRUE(seen.buttonFocused);
}

TEST_F(WindowTest, BrowseButtonInsideTheFieldsRightEnd)
{
    start();
    for (TFilenameEdit* field : {&m_window->FilenameEdit1(), &m_window->FilenameEdit2()}) {
        RECT button {};
        GetWindowRect(field->button(), &button);
        MapWindowPoints(nullptr, field->frame(), reinterpret_cast<POINT*>(&button), 2);
        EXPECT_EQ((Rect {button.left, button.top, button.right - button.left, button.bottom - button.top}),
                  (Rect {176, 0, 21, 17}));
        EXPECT_TRUE(IsWindowVisible(field->button()));
        EXPECT_EQ(GetWindowLongPtrW(field->button(), GWL_STYLE) & WS_TABSTOP, 0);
        RECT text {};
        GetWindowRect(field->window(), &text);
        MapWindowPoints(nullptr, field->frame(), reinterpret_cast<POINT*>(&text), 2);
        EXPECT_EQ(text.left, 0);
        EXPECT_EQ(text.right, 174) << "the text ends 2 pixels short of the button";
    }
}

// The pointer pressed and released on a field's browse button.
void clickBrowseButton(const TFilenameEdit& field)
{
    SendMessageW(field.button(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(field.button(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

class Browse : public WindowTest
{
protected:
    Browse()
    {
        m_dialogHook.emplace(BrowseDialog::testHook, [this](const BrowseDialog::Request& request) {
            m_requests.push_back(request);
            BrowseDialog::Result answer = m_answer;
            return answer;
        });
    }
    std::optional<BrowseDialog::Hook::Scoped> m_dialogHook;
    std::vector<BrowseDialog::Request> m_requests;
    BrowseDialog::Result m_answer;
};

TEST_F(Browse, AltDownAloneOpensTheDialog)
{
    start();
    const HWND field = m_window->FilenameEdit1().window();
    BYTE keys[256] {};
    for (const bool shift : {false, true}) {
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        // Bit 29: Alt is held.
        SendMessageW(field, WM_SYSKEYDOWN, VK_DOWN, 1 | (1 << 29));
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    SendMessageW(field, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(m_requests.size(), 1u) << "Alt+Down only, not Alt+Shift+Down nor Down";
}

TEST_F(Browse, AsksForItsFiltersTitleAndStartAndRemembersTheChoice)
{
    start();
    TFilenameEdit& field = m_window->FilenameEdit2();
    m_answer = {true, L"C:\\mis datos\\final.txt", 2};
    SetFocus(control("cxButton1"));
    clickBrowseButton(field);
    EXPECT_EQ(focused(), "FilenameEdit2");
    EXPECT_EQ(field.Text(), "\"C:\\mis datos\\final.txt\"");
    m_answer = {};
    clickBrowseButton(field);
    clickBrowseButton(m_window->FilenameEdit1());
    ASSERT_EQ(m_requests.size(), 3u);

    const BrowseDialog::Request& first = m_requests[0];
    EXPECT_EQ(first.owner, m_window->window());
    EXPECT_EQ(first.title, L"Browse");
    EXPECT_EQ(first.filter, std::wstring(L"Pitovan (*.mdb)\0*.mdb\0Rumbelo(*.txt)\0*.txt\0\0", 44));
    EXPECT_EQ(first.filterIndex, 1);
    EXPECT_EQ(first.proposedName, L"");
    EXPECT_EQ(first.initialDir, L"");
    EXPECT_EQ(first.options, static_cast<DWORD>(OFN_EXPLORER | OFN_ENABLEHOOK | OFN_HIDEREADONLY));
    // The folder does not exist: the proposed name follows the field, the folder the last choice.
    EXPECT_EQ(m_requests[1].filterIndex, 2);
    EXPECT_EQ(m_requests[1].proposedName, L"C:\\mis datos\\final.txt");
    EXPECT_EQ(m_requests[1].initialDir, L"C:\\mis datos");
    EXPECT_EQ(m_requests[2].filterIndex, 1) << "the other field keeps its own";
    EXPECT_EQ(field.Text(), "\"C:\\mis datos\\final.txt\"") << "a cancel leaves the text";
}

TEST_F(Browse, StartsInTheFolderOfTheFieldsName)
{
    start();
    wchar_t temporary[MAX_PATH] {};
    GetTempPathW(MAX_PATH, temporary);
    std::wstring folder = temporary; // ends in a backslash
    m_window->FilenameEdit1().setText(toUtf8(folder + L"nuevo.mdb"));
    clickBrowseButton(m_window->FilenameEdit1());
    m_window->FilenameEdit1().setText(toUtf8(folder));
    clickBrowseButton(m_window->FilenameEdit1());
    ASSERT_EQ(m_requests.size(), 2u);
    EXPECT_EQ(m_requests[0].initialDir, folder.substr(0, folder.size() - 1));
    EXPECT_EQ(m_requests[0].proposedName, folder + L"nuevo.mdb");
    EXPECT_EQ(m_requests[1].proposedName, L"") << "a folder proposes no name";
}

TEST_F(WindowTest, CloseStoresTheTwentyThreeValuesInOrder)
{
    start();
    m_window->FilenameEdit1().setText("\"C:\\mis datos\\origen.mdb\"");
    m_window->FilenameEdit2().setText("C:\\sin comillas.mdb");
    click("RF");
    m_window->setChecked(control("RF1"), true);
    m_window->setChecked(control("PN1"), true);
    RECT outer {};
    GetWindowRect(m_window->window(), &outer);
    close();
    EXPECT_FALSE(IsWindow(m_window->window()));

    const std::wstring screen = L"(" + std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L"x"
        + std::to_wstring(GetSystemMetrics(SM_CYSCREEN)) + L")";
    const std::wstring normPos = L"450,170," + std::to_wstring(outer.right) + L"," + std::to_wstring(outer.bottom);
    const std::vector<std::pair<std::wstring, std::wstring>> expected {
        {L"FormVersion", L"0"},
        {L"Flags", L"0"},
        {L"ShowCmd", L"1"},
        {L"PixelsPerInch", L"96"},
        {L"MinMaxPos" + screen, L"-1,-1,-1,-1"},
        {L"MinMaxPos", L"-1,-1,-1,-1"},
        {L"NormPos" + screen, normPos},
        {L"NormPos", normPos},
        {L"Visible", L"0"},
        {L"FilenameEdit1_FileName", L"C:\\mis datos\\origen.mdb"},
        {L"FilenameEdit2_FileName", L"C:\\sin"},
        {L"PN_Checked", L"False"},
        {L"PP_Checked", L"False"},
        {L"RF_Checked", L"True"},
        {L"RM_Checked", L"False"},
        {L"TC_Checked", L"False"},
        {L"ZE_Checked", L"False"},
        {L"PN1_Checked", L"True"},
        {L"PP1_Checked", L"False"},
        {L"RF1_Checked", L"True"},
        {L"RM1_Checked", L"False"},
        {L"TC1_Checked", L"False"},
        {L"ZE1_Checked", L"False"},
    };
    std::vector<std::wstring> names;
    for (const auto& [name, text] : expected) {
        names.push_back(name);
        const auto value = m_key.read(name);
        ASSERT_TRUE(value) << toUtf8(name);
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ)) << toUtf8(name);
        EXPECT_EQ(value->text, text) << toUtf8(name);
    }
    // Wine lists the values by name, not in the order of the writes.
    std::vector<std::wstring> stored = m_key.names();
    std::ranges::sort(stored);
    std::ranges::sort(names);
    EXPECT_EQ(stored, names);
    EXPECT_TRUE(m_shown.empty());
}

TEST_F(WindowTest, DestructionWithoutACloseSavesOnce)
{
    start();
    m_window.reset();
    const auto visible = m_key.read(L"Visible");
    ASSERT_TRUE(visible);
    EXPECT_EQ(visible->text, L"1");
}

// Stored values by hand; then what the window shows after its start.
struct RestoreCase
{
    const char* name;
    std::vector<std::pair<std::wstring, std::wstring>> stored;
    std::vector<const char*> ticked;
    std::vector<const char*> enabledSpeedBoxes;
    std::string sourceText;
    Point topLeft;
};

class Restore : public WindowTest, public testing::WithParamInterface<RestoreCase>
{
};

TEST_P(Restore, AppliesTheStoredValues)
{
    for (const auto& [name, text] : GetParam().stored)
        m_key.writeText(name, text);
    start();
    std::vector<std::string> ticked;
    std::vector<std::string> enabled;
    for (const ControlRow& row : controlTable()) {
        if (row.kind != ControlKind::CheckBox)
            continue;
        if (Checked(row.name))
            ticked.emplace_back(row.name);
        if (row.name.ends_with('1') && IsWindowEnabled(control(row.name)))
            enabled.emplace_back(row.name);
    }
    EXPECT_EQ(ticked, std::vector<std::string>(GetParam().ticked.begin(), GetParam().ticked.end()));
    EXPECT_EQ(enabled,
              std::vector<std::string>(GetParam().enabledSpeedBoxes.begin(), GetParam().enabledSpeedBoxes.end()));
    EXPECT_EQ(m_window->FilenameEdit1().Text(), GetParam().sourceText);
    RECT outer {};
    GetWindowRect(m_window->window(), &outer);
    EXPECT_EQ((Point {outer.left, outer.top}), GetParam().topLeft);
    RECT client {};
    GetClientRect(m_window->window(), &client);
    EXPECT_EQ((Size {client.right, client.bottom}), (Size {300, 394})) << "the stored size never applies";
    EXPECT_TRUE(m_shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    , Restore,
    testing::Values(RestoreCase {"CategoryBeforeItsSpeedBox",
                                 {{L"RF_Checked", L"True"}, {L"RF1_Checked", L"True"}, {L"RM_Checked", L"False"}},
                                 {"RF", "RF1"},
                                 {"RF1"},
                                 "",
                                 {450, 170}},
                    RestoreCase {"SpeedBoxTickedWhileDisabled",
                                 {{L"PN_Checked", L"False"}, {L"PN1_Checked", L"True"}},
                                 {"PN1"},
                                 {},
                                 "",
                                 {450, 170}},
                    RestoreCase {"LetterCaseAndBlanks",
                                 {{L"RF_Checked", L"true"}, {L"RM_Checked", L" TRUE "}, {L"TC_Checked", L"fAlSe"}},
                                 {"RF", "RM"},
                                 {"RF1", "RM1"},
                                 "",
                                 {450, 170}},
                    RestoreCase {"OtherTextsLeaveTheBox",
                                 {{L"RF_Checked", L"1"}, {L"RM_Checked", L"yes"}, {L"TC_Checked", L""}},
                                 {},
                                 {},
                                 "",
                                 {450, 170}},
                    RestoreCase {"NameWithBlanksInQuotes",
                                 {{L"FilenameEdit1_FileName", L"C:\\mis datos\\origen.mdb"}},
                                 {},
                                 {},
                                 "\"C:\\mis datos\\origen.mdb\"",
                                 {450, 170}},
                    RestoreCase {"RefusedNameDroppedSilently",
                                 {{L"FilenameEdit1_FileName", L"a|b.mdb"}, {L"ZE_Checked", L"True"}},
                                 {"ZE"},
                                 {"ZE1"},
                                 "",
                                 {450, 170}},
                    RestoreCase {"PositionFromTwoWords", {{L"NormPos", L"100,200"}}, {}, {}, "", {100, 200}},
                    RestoreCase {"PositionWordNotANumber", {{L"NormPos", L"x,200,0,0"}}, {}, {}, "", {450, 200}},
                    RestoreCase {"OtherPixelsPerInchKeepsThePlace",
                                 {{L"NormPos", L"100,200,0,0"}, {L"PixelsPerInch", L"120"}, {L"RF_Checked", L"True"}},
                                 {"RF"},
                                 {"RF1"},
                                 "",
                                 {450, 170}},
                    RestoreCase {"VersionBelowZeroAppliesNothing",
                                 {{L"FormVersion", L"-1"}, {L"NormPos", L"100,200"}, {L"RF_Checked", L"True"}},
                                 {},
                                 {},
                                 "",
                                 {450, 170}},
                    RestoreCase {"VersionNotANumberCountsAsZero",
                                 {{L"FormVersion", L"x"}, {L"RF_Checked", L"True"}},
                                 {"RF"},
                                 {"RF1"},
                                 "",
                                 {450, 170}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, ValueOfAnotherTypeInThePlacementStopsTheRestore)
{
    m_key.writeNumber(L"Flags", 0);
    m_key.writeText(L"RF_Checked", L"True");
    start();
    EXPECT_EQ(m_shown, (std::vector<Shown> {{MessageBoxes::Kind::Error, "Tipo de dato inválido para 'Flags'"}}));
    EXPECT_FALSE(Checked("RF"));
    EXPECT_TRUE(IsWindowVisible(m_window->window()));
    close();
    EXPECT_EQ(m_key.names(), (std::vector<std::wstring> {L"Flags", L"RF_Checked"})) << "nothing written";
}

TEST_F(WindowTest, ValueOfAnotherTypeInABoxCostsThatBoxAlone)
{
    m_key.writeNumber(L"RF_Checked", 1);
    m_key.writeText(L"RM_Checked", L"True");
    start();
    EXPECT_TRUE(m_shown.empty());
    EXPECT_FALSE(Checked("RF"));
    EXPECT_TRUE(Checked("RM"));
}

struct StateCase
{
    const char* showCmd;
    bool maximized;
    bool minimized;
};

class WindowState : public WindowTest, public testing::WithParamInterface<StateCase>
{
};

TEST_P(WindowState, FollowsTheStoredShowCommand)
{
    m_key.writeText(L"ShowCmd", toWide(GetParam().showCmd));
    start();
    const HWND window = m_window->window();
    // A minimize is asked of the event loop.
    EXPECT_TRUE(pumpUntil([&] { return (IsIconic(window) != FALSE) == GetParam().minimized; }));
    EXPECT_EQ(IsZoomed(window) != FALSE, GetParam().maximized);
}

INSTANTIATE_TEST_SUITE_P(, WindowState,
                         testing::Values(StateCase {"1", false, false}, StateCase {"3", true, false},
                                         StateCase {"2", false, true}, StateCase {"7", false, true},
                                         StateCase {"4", false, false}, StateCase {"x", false, false}),
                         [](const auto& info) {
                             return std::string("ShowCmd") + (info.param.showCmd[0] == 'x' ? "X" : info.param.showCmd);
                         });

TEST_F(WindowTest, NewScreenScaleRedoesTheLayoutWhereTheSystemSuggests)
{
    start();
    const HWND window = m_window->window();
    const RECT suggested {300, 100, 900, 900};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    const int lineHeight = lineHeightOf(reinterpret_cast<HFONT>(SendMessageW(control("RF"), WM_GETFONT, 0, 0)));
    EXPECT_GT(lineHeight, 13);
    RECT outer {};
    GetWindowRect(window, &outer);
    EXPECT_EQ((Point {outer.left, outer.top}), (Point {300, 100}));
    EXPECT_EQ(placeOf("RF"), scaledForLineHeight(Rect {8, 208, 121, 21}, lineHeight));
}

TEST_F(WindowTest, HintComesAfterItsPauseAndGoesAfterItsTime)
{
    start();
    const HWND button = control("cxButton1");
    RECT area {};
    GetWindowRect(button, &area);
    SetCursorPos((area.left + area.right) / 2, (area.top + area.bottom) / 2);
    const auto entered = std::chrono::steady_clock::now();
    SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    ASSERT_TRUE(pumpUntil([&] { return m_window->hints().balloon() != nullptr; }));
    const auto shown = std::chrono::steady_clock::now();
    EXPECT_GE(shown - entered, std::chrono::milliseconds(450));
    wchar_t text[128] {};
    GetWindowTextW(m_window->hints().balloon(), text, 128);
    EXPECT_EQ(std::wstring(text), L"Pulsar este botón para generar el nuevo fichero.");
    ASSERT_TRUE(pumpUntil([&] { return m_window->hints().balloon() == nullptr; }));
    EXPECT_GE(std::chrono::steady_clock::now() - shown, std::chrono::milliseconds(2400));
}

} // namespace

namespace {

TEST_F(WindowTest, ErrorBoxIsTheDesktopsWithItsFullStop)
{
    m_boxHook.reset();
    start();
    static std::wstring caption;
    static std::wstring text;
    caption.clear();
    text.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND box = GetActiveWindow();
        wchar_t buffer[256] {};
        if (!box || GetClassNameW(box, buffer, 256) == 0 || std::wstring(buffer) != L"#32770" || !IsWindowVisible(box))
            return;
        GetWindowTextW(box, buffer, 256);
        caption = buffer;
        // The desktop's message box keeps its text in a control of this id.
        GetDlgItemTextW(box, 0xFFFF, buffer, 256);
        text = buffer;
        SendMessageW(box, WM_COMMAND, IDOK, 0);
    });
    MessageBoxes::error("No se encuentra el archivo");
    KillTimer(nullptr, timer);
    EXPECT_EQ(caption, L"Zorvanti Cribaxon");
    EXPECT_EQ(text, L"No se encuentra el archivo.");
}

TEST_F(WindowTest, PressingTheControlPutsItsHintAway)
{
    start();
    const HWND button = control("cxButton1");
    RECT area {};
    GetWindowRect(button, &area);
    SetCursorPos((area.left + area.right) / 2, (area.top + area.bottom) / 2);
    SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    ASSERT_TRUE(pumpUntil([&] { return m_window->hints().balloon() != nullptr; }));
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(m_window->hints().balloon(), nullptr);
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
}

} // namespace
