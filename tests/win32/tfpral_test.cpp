#include "browse_dialog.h"
#include "fake_file_system.h"
#include "fonts.h"
#include "geometry_printing.h"
#include "information_box.h"
#include "message_boxes.h"
#include "registry_settings_store.h"
#include "tfpral.h"
#include "win32_testing.h"

#include <gtest/gtest.h>
#include <optional>
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
        for (const ControlRow& row : controlTable()) {
            if (control(row.name) == GetFocus())
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

} // namespace
