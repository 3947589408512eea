#include "form_storage.h"
#include "stored_text.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <stdexcept>

namespace {

using Values = std::map<std::string, std::string>;
using Names = std::vector<std::string>;

// The store as the registry is: each write made at once, or as the INI file
// is: the writes kept until the key closes.
class FakeStore final : public SettingsStore
{
public:
    Values values;
    std::set<std::string> otherTypes; // values that are no text
    std::string refusedWrite; // the value whose write fails, and every one after it
    bool refusedSection = false;
    bool writesAtClose = false;
    Names written; // in the order stored
    int openKeys = 0;

    std::unique_ptr<ProgramKey> openProgramKey(std::string_view section) override
    {
        EXPECT_EQ(section, "TFPral");
        return std::make_unique<Key>(*this);
    }

private:
    class Key final : public ProgramKey
    {
    public:
        explicit Key(FakeStore& store)
            : m_store(store)
        {
            ++m_store.openKeys;
        }

        std::optional<std::string> readText(std::string_view name) const override
        {
            if (m_store.otherTypes.contains(std::string(name)))
                throw ESettingsStoreError("Tipo de dato inválido para '" + std::string(name) + "'");
            const auto found = m_store.values.find(std::string(name));
            return found == m_store.values.end() ? std::nullopt : std::optional(found->second);
        }

        void writeText(std::string_view name, std::string_view text) override
        {
            m_pending.emplace_back(name, text);
            if (!m_store.writesAtClose)
                store();
        }

        void close() override
        {
            --m_store.openKeys;
            store();
        }

    private:
        void store()
        {
            const auto pending = std::exchange(m_pending, {});
            if (pending.empty())
                return;
            if (m_store.refusedSection)
                throw ESettingsStoreError("Error al crear la llave TFPral");
            for (const auto& [name, text] : pending) {
                if (name == m_store.refusedWrite || (m_store.writesAtClose && !m_store.refusedWrite.empty()))
                    throw ESettingsStoreError("Error al guardar '" + pending.front().first + "'");
            }
            for (const auto& [name, text] : pending) {
                m_store.values[name] = text;
                m_store.written.push_back(name);
            }
        }

        FakeStore& m_store;
        std::vector<std::pair<std::string, std::string>> m_pending;
    };
};

// A window on a screen of 1024 by 768 at 96 pixels per inch, designed at 450, 170 and 300 by 394.
class FakePlacement final : public WindowPlacement
{
public:
    Frame current {{450, 170}, {300, 394}};
    ShowCommand command = ShowNormal;
    bool applicationMinimized = false;
    int flagsWord = 0;
    bool placesItself = true;
    std::vector<Record> applied;
    std::vector<bool> maximizedSet;
    int minimizeRequests = 0;
    int bordersSet = 0;

    int flags() const override { return flagsWord; }
    ShowCommand showCommand() const override { return command; }
    bool isApplicationMinimized() const override { return applicationMinimized; }
    Frame normalFrame() const override { return current; }
    Frame frame() const override { return current; }
    Point minimizedPosition() const override { return {-1, -1}; }
    Point maximizedPosition() const override { return {-8, -8}; }
    bool knowsPosition() const override { return placesItself; }
    void apply(const Record& record) override
    {
        applied.push_back(record);
        current.topLeft = record.normalTopLeft;
    }
    void setMaximizedPositionToBorder() override { ++bordersSet; }
    void setMaximized(bool maximized) override { maximizedSet.push_back(maximized); }
    void requestApplicationMinimize() override { ++minimizeRequests; }
    Size primaryScreenSize() const override { return {1024, 768}; }
    int pixelsPerInch() const override { return 96; }
    bool isOffScreen(Point topLeft, Size size) const override
    {
        return topLeft.x >= 1024 || topLeft.y >= 768 || topLeft.x + size.width <= 0 || topLeft.y + size.height <= 0;
    }
};

// The two fields and the twelve boxes, each category box enabling its speed-warning box.
class FakeControls final : public StoredControls
{
public:
    std::map<std::string, std::string, std::less<>> fileNames {{"FilenameEdit1", ""}, {"FilenameEdit2", ""}};
    std::map<std::string, bool, std::less<>> ticked;
    std::set<std::string, std::less<>> enabled;
    Names assigned; // components, in the order of assignment

    FakeControls()
    {
        for (const CategoryFacts& facts : CategoryTable) {
            ticked[std::string(facts.identifier)] = false;
            ticked[std::string(facts.speedIdentifier)] = false;
            enabled.insert(std::string(facts.identifier));
        }
    }

    bool has(const StoredProp& entry) const override
    {
        return fileNames.contains(entry.component) || ticked.contains(entry.component);
    }
    std::string currentText(const StoredProp& entry) const override
    {
        return entry.property == StoredProperty::FileName
            ? fileNames.find(entry.component)->second
            : std::string(StoredText::fromBoolean(ticked.find(entry.component)->second));
    }
    void setFileName(const StoredProp& entry, const std::string& name) override
    {
        if (name.find('|') != std::string::npos)
            throw std::runtime_error("Nombre de archivo inválido - " + name);
        assigned.emplace_back(entry.component);
        fileNames.find(entry.component)->second = name;
    }
    void setChecked(const StoredProp& entry, bool checked) override
    {
        assigned.emplace_back(entry.component);
        ticked.find(entry.component)->second = checked;
        if (entry.component.size() == 2) {
            const std::string speedBox = std::string(entry.component) + "1";
            checked ? void(enabled.insert(speedBox)) : void(enabled.erase(speedBox));
        }
    }

    Names tickedBoxes() const
    {
        Names names;
        for (const auto& [name, checked] : ticked) {
            if (checked)
                names.push_back(name);
        }
        return names;
    }
};

struct Window
{
    FakeStore store;
    FakePlacement placement;
    FakeControls controls;
    Names errors;
    FormStorage storage {store, "TFPral", placement, controls, [this](const std::string& message) {
                             errors.push_back(message);
                         }};

    explicit Window(Values stored = {}) { store.values = std::move(stored); }
};

// The value names in the order a save writes them.
const Names ValueOrder {"FormVersion",
                        "Flags",
                        "ShowCmd",
                        "PixelsPerInch",
                        "MinMaxPos(1024x768)",
                        "MinMaxPos",
                        "NormPos(1024x768)",
                        "NormPos",
                        "Visible",
                        "FilenameEdit1_FileName",
                        "FilenameEdit2_FileName",
                        "PN_Checked",
                        "PP_Checked",
                        "RF_Checked",
                        "RM_Checked",
                        "TC_Checked",
                        "ZE_Checked",
                        "PN1_Checked",
                        "PP1_Checked",
                        "RF1_Checked",
                        "RM1_Checked",
                        "TC1_Checked",
                        "ZE1_Checked"};

TEST(FormStorage, FirstRunWritesTheWholeTableInItsOrder)
{
    Window window;
    window.storage.windowShowing();
    EXPECT_TRUE(window.placement.applied.empty());
    window.storage.windowCloseQueried(true);
    EXPECT_EQ(window.store.written, ValueOrder);
    Values expected {{"FormVersion", "0"},
                     {"Flags", "0"},
                     {"ShowCmd", "1"},
                     {"PixelsPerInch", "96"},
                     {"MinMaxPos(1024x768)", "-1,-1,-8,-8"},
                     {"MinMaxPos", "-1,-1,-8,-8"},
                     {"NormPos(1024x768)", "450,170,750,564"},
                     {"NormPos", "450,170,750,564"},
                     {"Visible", "0"},
                     {"FilenameEdit1_FileName", ""},
                     {"FilenameEdit2_FileName", ""}};
    for (std::size_t i = 11; i < ValueOrder.size(); ++i)
        expected[ValueOrder[i]] = "False";
    EXPECT_EQ(window.store.values, expected);
    EXPECT_EQ(window.errors, Names {});
    EXPECT_EQ(window.store.openKeys, 0);
    // Saved once: its destruction writes nothing more.
    window.storage.windowDestroying();
    EXPECT_EQ(window.store.written.size(), ValueOrder.size());
}

struct PositionCase
{
    const char* name;
    Values stored;
    std::optional<WindowPlacement::Point> applied;
};

class Position : public testing::TestWithParam<PositionCase>
{
};

TEST_P(Position, IsTakenFromTheStoreForTheScreenAtTheDesignedSize)
{
    Window window(GetParam().stored);
    window.storage.windowShowing();
    ASSERT_EQ(window.placement.applied.size(), GetParam().applied ? 1u : 0u);
    if (GetParam().applied) {
        EXPECT_EQ(window.placement.applied.front().normalTopLeft, *GetParam().applied);
    }
    EXPECT_EQ(window.errors, Names {});
}

using Point = WindowPlacement::Point;

INSTANTIATE_TEST_SUITE_P(
    , Position,
    testing::Values(
        PositionCase {"TwoWords", {{"NormPos", "100,200"}}, Point {100, 200}},
        PositionCase {"FourWordsSizeIgnored", {{"NormPos", "100,200,900,900"}}, Point {100, 200}},
        PositionCase {"FirstWordNotANumber", {{"NormPos", "x,200,0,0"}}, Point {450, 200}},
        PositionCase {"BlankSeparated", {{"NormPos", "100 200"}}, Point {100, 200}},
        PositionCase {"HexadecimalWords", {{"NormPos", "$64,x20"}}, Point {100, 32}},
        PositionCase {"NothingStored", {}, std::nullopt},
        PositionCase {"OnlyMinMaxPos", {{"MinMaxPos", "-1,-1,-1,-1"}}, Point {450, 170}},
        PositionCase {"ScreensOwnWins", {{"NormPos(1024x768)", "10,20"}, {"NormPos", "30,40"}}, Point {10, 20}},
        PositionCase {"AnotherScreensIgnored", {{"NormPos(1x1)", "10,20"}, {"NormPos", "30,40"}}, Point {30, 40}},
        PositionCase {"ScreensOwnEmpty", {{"NormPos(1024x768)", ""}, {"NormPos", "30,40"}}, Point {30, 40}},
        PositionCase {"SamePixelsPerInch", {{"NormPos", "30,40"}, {"PixelsPerInch", "96"}}, Point {30, 40}},
        PositionCase {"OtherPixelsPerInch", {{"NormPos", "30,40"}, {"PixelsPerInch", "120"}}, std::nullopt},
        PositionCase {"PixelsPerInchNotANumber", {{"NormPos", "30,40"}, {"PixelsPerInch", "abc"}}, Point {30, 40}},
        PositionCase {"WhollyOffScreen", {{"NormPos", "5000,5000"}}, std::nullopt},
        PositionCase {"PartlyOnScreen", {{"NormPos", "700,500"}}, Point {700, 500}}),
    [](const auto& info) { return info.param.name; });

TEST(FormStorage, RestoredRecordCarriesTheStoredFlagsAndPositions)
{
    Window window({{"Flags", "2"}, {"MinMaxPos", "1,2,3"}, {"NormPos", "30,40"}});
    window.storage.windowShowing();
    ASSERT_EQ(window.placement.applied.size(), 1u);
    const WindowPlacement::Record& record = window.placement.applied.front();
    EXPECT_EQ(record.flags, 2);
    EXPECT_EQ(record.minimized, (Point {1, 2}));
    EXPECT_EQ(record.maximized, (Point {3, 0}));
    EXPECT_EQ(window.placement.bordersSet, 1);
}

struct PropertyCase
{
    const char* name;
    Values stored;
    Names ticked;
    std::string source = ""; // FilenameEdit1's name afterwards
};

class Properties : public testing::TestWithParam<PropertyCase>
{
};

TEST_P(Properties, AreRestoredThroughTheControlsSetters)
{
    Window window(GetParam().stored);
    window.controls.fileNames["FilenameEdit1"] = "/tmp/old.mdb";
    window.controls.ticked["ZE"] = true;
    window.storage.windowShowing();
    EXPECT_EQ(window.controls.tickedBoxes(), GetParam().ticked);
    EXPECT_EQ(window.controls.fileNames["FilenameEdit1"],
              GetParam().source.empty() ? "/tmp/old.mdb" : GetParam().source);
    EXPECT_EQ(window.errors, Names {});
}

INSTANTIATE_TEST_SUITE_P(
    , Properties,
    testing::Values(
        PropertyCase {"True", {{"RF_Checked", "True"}}, {"RF", "ZE"}},
        PropertyCase {"SmallLetters", {{"RF_Checked", "true"}}, {"RF", "ZE"}},
        PropertyCase {"CapitalsBetweenBlanks", {{"RF_Checked", " TRUE "}}, {"RF", "ZE"}},
        PropertyCase {"FalseBetweenControlCodes", {{"ZE_Checked", "\tFalse\r"}}, {}},
        PropertyCase {"FalseMixedCase", {{"ZE_Checked", "fAlSe"}}, {}},
        PropertyCase {"OneLeavesTheBox", {{"ZE_Checked", "1"}, {"RF_Checked", "1"}}, {"ZE"}},
        PropertyCase {"YesLeavesTheBox", {{"ZE_Checked", "yes"}}, {"ZE"}},
        PropertyCase {"EmptyLeavesTheBox", {{"ZE_Checked", ""}}, {"ZE"}},
        PropertyCase {"BoxOfAnotherTypeAlone", {{"PN_Checked", "True"}, {"RF_Checked", "True"}}, {"PN", "RF", "ZE"}},
        PropertyCase {"NameTrimmed", {{"FilenameEdit1_FileName", " \t/tmp/x.mdb \r"}}, {"ZE"}, "/tmp/x.mdb"},
        PropertyCase {"RefusedNameKeepsTheField", {{"FilenameEdit1_FileName", "a|b"}}, {"ZE"}}),
    [](const auto& info) { return info.param.name; });

struct CouplingCase
{
    const char* name;
    const char* category;
    const char* speedWarning;
    bool speedBoxEnabled;
};

class CategoryBoxesFirst : public testing::TestWithParam<CouplingCase>
{
};

TEST_P(CategoryBoxesFirst, SoThatASpeedWarningBoxIsEnabledBeforeItsValue)
{
    Window window({{"RF_Checked", GetParam().category}, {"RF1_Checked", GetParam().speedWarning}});
    window.storage.windowShowing();
    EXPECT_EQ(window.controls.ticked["RF1"], std::string(GetParam().speedWarning) == "True");
    EXPECT_EQ(window.controls.enabled.contains("RF1"), GetParam().speedBoxEnabled);
    // Fields, then category boxes, then speed-warning boxes, each kind by name.
    Names expected {"FilenameEdit1", "FilenameEdit2", "PN",  "PP",  "RF",  "RM", "TC", "ZE",
                    "PN1",           "PP1",           "RF1", "RM1", "TC1", "ZE1"};
    EXPECT_EQ(window.controls.assigned, expected);
}

INSTANTIATE_TEST_SUITE_P(, CategoryBoxesFirst,
                         testing::Values(CouplingCase {"BothTicked", "True", "True", true},
                                         CouplingCase {"CategoryUnticked", "False", "True", false},
                                         CouplingCase {"SpeedWarningUnticked", "True", "False", true}),
                         [](const auto& info) { return info.param.name; });

struct VersionCase
{
    const char* name;
    const char* version;
    bool applied;
};

class FormVersion : public testing::TestWithParam<VersionCase>
{
};

TEST_P(FormVersion, BelowZeroAppliesNothingAndTheCloseWritesAll)
{
    Window window({{"FormVersion", GetParam().version}, {"NormPos", "30,40"}, {"RF_Checked", "True"}});
    window.storage.windowShowing();
    EXPECT_EQ(window.placement.applied.size(), GetParam().applied ? 1u : 0u);
    EXPECT_EQ(window.controls.ticked["RF"], GetParam().applied);
    window.storage.windowCloseQueried(true);
    EXPECT_EQ(window.store.written, ValueOrder);
    EXPECT_EQ(window.store.values["FormVersion"], "0");
}

INSTANTIATE_TEST_SUITE_P(, FormVersion,
                         testing::Values(VersionCase {"MinusOne", "-1", false}, VersionCase {"Zero", "0", true},
                                         VersionCase {"One", "1", true}, VersionCase {"NotANumber", "abc", true}),
                         [](const auto& info) { return info.param.name; });

enum class State
{
    Normal,
    Minimized,
    Maximized,
};

struct ShowCase
{
    const char* name;
    std::optional<const char*> showCmd;
    State state;
};

class RestoredState : public testing::TestWithParam<ShowCase>
{
};

TEST_P(RestoredState, FollowsTheStoredShowCommand)
{
    Window window;
    if (GetParam().showCmd)
        window.store.values["ShowCmd"] = *GetParam().showCmd;
    window.storage.windowShowing();
    const State state = GetParam().state;
    EXPECT_EQ(window.placement.maximizedSet, std::vector<bool> {state == State::Maximized});
    EXPECT_EQ(window.placement.minimizeRequests, state == State::Minimized ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    , RestoredState,
    testing::Values(ShowCase {"Absent", std::nullopt, State::Normal}, ShowCase {"Zero", "0", State::Normal},
                    ShowCase {"One", "1", State::Normal}, ShowCase {"Two", "2", State::Minimized},
                    ShowCase {"Three", "3", State::Maximized}, ShowCase {"Four", "4", State::Normal},
                    ShowCase {"Five", "5", State::Normal}, ShowCase {"Six", "6", State::Minimized},
                    ShowCase {"Seven", "7", State::Minimized}, ShowCase {"Eight", "8", State::Normal},
                    ShowCase {"Nine", "9", State::Normal}, ShowCase {"NotANumber", "max", State::Normal}),
    [](const auto& info) { return info.param.name; });

struct SavedStateCase
{
    const char* name;
    WindowPlacement::ShowCommand command;
    bool applicationMinimized;
    int flags;
    const char* showCmd;
};

class SavedState : public testing::TestWithParam<SavedStateCase>
{
};

TEST_P(SavedState, StoresTheShowCommandAndTheFlags)
{
    Window window;
    window.storage.windowShowing();
    window.placement.command = GetParam().command;
    window.placement.applicationMinimized = GetParam().applicationMinimized;
    window.placement.flagsWord = GetParam().flags;
    window.storage.windowCloseQueried(true);
    EXPECT_EQ(window.store.values["ShowCmd"], GetParam().showCmd);
    EXPECT_EQ(window.store.values["Flags"], std::to_string(GetParam().flags));
}

INSTANTIATE_TEST_SUITE_P(, SavedState,
                         testing::Values(SavedStateCase {"Normal", WindowPlacement::ShowNormal, false, 0, "1"},
                                         SavedStateCase {"Maximized", WindowPlacement::ShowMaximized, false, 0, "3"},
                                         SavedStateCase {"ApplicationMinimized", WindowPlacement::ShowNormal, true, 0,
                                                         "2"},
                                         SavedStateCase {"MinimizedFromMaximized", WindowPlacement::ShowMinimized, true,
                                                         WindowPlacement::RestoreToMaximized, "2"}),
                         [](const auto& info) { return info.param.name; });

TEST(FormStorage, PositionThePlatformCannotTellIsLeftAsStored)
{
    Window window(Values {{"NormPos", "30,40"}});
    window.placement.placesItself = false;
    window.storage.windowShowing();
    window.storage.windowCloseQueried(true);
    EXPECT_EQ(window.store.values["NormPos"], "30,40");
    EXPECT_FALSE(window.store.values.contains("MinMaxPos"));
}

struct OtherTypeCase
{
    const char* name;
    const char* value;
    bool positionApplied;
    Names ticked;
};

class ValueOfAnotherType : public testing::TestWithParam<OtherTypeCase>
{
};

// Before the properties it ends the restore, and nothing is written at close,
// so that the next start meets the same error; among them it costs one entry.
TEST_P(ValueOfAnotherType, EndsTheRestoreOrCostsOneEntry)
{
    const std::string name = GetParam().value;
    Window window({{"NormPos", "30,40"}, {"RF_Checked", "True"}, {"PN_Checked", "True"}});
    window.store.otherTypes.insert(name);
    const bool ends = !name.ends_with("_Checked");
    window.storage.windowShowing();
    EXPECT_EQ(window.errors, ends ? Names {"Tipo de dato inválido para '" + name + "'"} : Names {});
    EXPECT_EQ(window.placement.applied.size(), GetParam().positionApplied ? 1u : 0u);
    EXPECT_EQ(window.controls.tickedBoxes(), GetParam().ticked);
    EXPECT_EQ(window.store.openKeys, 0);
    window.storage.windowCloseQueried(true);
    window.storage.windowDestroying();
    EXPECT_EQ(window.store.written.empty(), ends);
}

INSTANTIATE_TEST_SUITE_P(, ValueOfAnotherType,
                         testing::Values(OtherTypeCase {"FormVersion", "FormVersion", false, {}},
                                         OtherTypeCase {"Flags", "Flags", false, {}},
                                         OtherTypeCase {"NormPosOfTheScreen", "NormPos(1024x768)", false, {}},
                                         OtherTypeCase {"ShowCmdAfterThePosition", "ShowCmd", true, {}},
                                         OtherTypeCase {"OneBox", "RF_Checked", true, {"PN"}}),
                         [](const auto& info) { return info.param.name; });

struct RefusedCase
{
    const char* name;
    bool writesAtClose;
    const char* refused;
    Names stored; // what the failed save left in the store
    const char* error;
};

class RefusedWrite : public testing::TestWithParam<RefusedCase>
{
};

// A store that writes value by value keeps what came before the refused one; one
// that writes them together keeps none, and names the first. The key is closed
// either way, and the window's destruction saves once more.
TEST_P(RefusedWrite, StopsTheSaveAndTheDestructionTriesAgain)
{
    Window window;
    window.store.writesAtClose = GetParam().writesAtClose;
    window.store.refusedWrite = GetParam().refused;
    window.storage.windowShowing();
    window.storage.windowCloseQueried(true);
    EXPECT_EQ(window.errors, Names {GetParam().error});
    EXPECT_EQ(window.store.written, GetParam().stored);
    EXPECT_EQ(window.store.openKeys, 0);
    window.store.refusedWrite.clear();
    window.storage.windowDestroying();
    EXPECT_EQ(window.errors.size(), 1u);
    EXPECT_EQ(window.store.values["Visible"], "1");
}

INSTANTIATE_TEST_SUITE_P(
    , RefusedWrite,
    testing::Values(
        RefusedCase {"ValueByValue", false, "ShowCmd", {"FormVersion", "Flags"}, "Error al guardar 'ShowCmd'"},
        RefusedCase {"AllTogether", true, "ShowCmd", {}, "Error al guardar 'FormVersion'"}),
    [](const auto& info) { return info.param.name; });

TEST(FormStorage, StoreThatRefusesTheSectionSaysSoAtCloseAndAtDestruction)
{
    Window window;
    window.store.refusedSection = true;
    window.storage.windowShowing();
    window.storage.windowCloseQueried(true);
    window.storage.windowDestroying();
    EXPECT_EQ(window.errors, Names(2, "Error al crear la llave TFPral"));
}

TEST(FormStorage, RefusedCloseSavesOnlyAtDestruction)
{
    Window window;
    window.storage.windowShowing();
    window.storage.windowCloseQueried(false);
    EXPECT_EQ(window.store.written, Names {});
    window.storage.windowDestroying();
    EXPECT_EQ(window.store.written, ValueOrder);
    EXPECT_EQ(window.store.values["Visible"], "1");
}

} // namespace
