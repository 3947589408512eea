#pragma once

#include "category_table.h"
#include "control_table.h"
#include "form_storage.h"
#include "hint_manager.h"
#include "picture_area.h"
#include "run_reporter.h"
#include "system_file.h"
#include "tfilename_edit.h"
#include "unique_handle.h"
#include "win32_window_placement.h"

#include <array>
#include <map>
#include <memory>
#include <string>
#include <windows.h>

// The program's one window: the two file names, the twelve boxes and "Generar".
class TFPral final : private RunReporter
{
public:
    struct Options
    {
        // The program ends its event loop when the window goes; a test goes on.
        bool quitWhenDestroyed = true;
    };

    // Runs read and write through fileSystem, and the settings live in settings; both outlive the window.
    TFPral(FileSystem& fileSystem, SettingsStore& settings, Options options);
    ~TFPral() override;
    TFPral(const TFPral&) = delete;
    TFPral& operator=(const TFPral&) = delete;

    HWND window() const { return m_window; }
    // The stored settings restored first, then shown and activated, the focus in FilenameEdit1.
    void show();
    // Gives the window the keys a dialog has (Tab, Shift+Tab, Enter, Esc): true when the message was handled.
    bool preTranslate(MSG& message);

    // A control by its component name; null for a name the window does not have.
    HWND control(std::string_view name) const;
    TFilenameEdit& FilenameEdit1() { return m_fields[0]; }
    TFilenameEdit& FilenameEdit2() { return m_fields[1]; }
    HintManager& hints() { return m_hints; }

    // The twelve boxes as they stand; a disabled speed-warning box counts too.
    RunOptions runOptions() const;
    bool Checked(HWND box) const;
    // The assignment program code makes: a change of a category box's tick runs its handler.
    void setChecked(HWND box, bool checked);

    // The coupling handlers of the category boxes.
    void RFClick(HWND sender) { coupleSpeedBoxOf(sender); }
    void RMClick(HWND sender) { coupleSpeedBoxOf(sender); }
    void TCClick(HWND sender) { coupleSpeedBoxOf(sender); }
    void PPClick(HWND sender) { coupleSpeedBoxOf(sender); }
    void PNClick(HWND sender) { coupleSpeedBoxOf(sender); }
    void ZEClick(HWND sender) { coupleSpeedBoxOf(sender); }
    void cxButton1Click();

private:
    using CategoryClick = void (TFPral::*)(HWND sender);
    // In the order of CategoryTable's rows.
    static constexpr std::array<CategoryClick, PointCategoryCount> CategoryClicks {
        &TFPral::RFClick, &TFPral::RMClick, &TFPral::TCClick, &TFPral::PPClick, &TFPral::PNClick, &TFPral::ZEClick,
    };
    struct CategoryRow
    {
        PointCategory category;
        HWND box;
        HWND speedBox;
        CategoryClick click;
    };
    class Controls;

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK buttonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                            DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void onCreate();
    void onCommand(HWND control, UINT code);
    LRESULT onNotify(const NMHDR& header);
    void onActivate(bool active);
    void onDpiChanged(int dpi, const RECT& suggested);
    void onClose();
    void onDestroy();
    void createControl(const ControlRow& row);
    void layOut();
    Size frameSize() const;
    void coupleSpeedBoxOf(HWND box);

    void showMessage(std::string_view text) override;
    void focusSourceField() override;
    void focusDestinationField() override;

    FileSystem& m_fileSystem;
    SettingsStore& m_settings;
    Options m_options;
    HWND m_window = nullptr;
    int m_dpi = 96;
    UniqueFont m_font;
    UniqueFont m_statusFont;
    std::map<std::string_view, HWND> m_controls;
    std::array<TFilenameEdit, 2> m_fields;
    PictureArea m_picture1;
    PictureArea m_picture2;
    std::array<CategoryRow, PointCategoryCount> m_categoryRows {};
    HintManager m_hints;
    HWND m_focusBeforeDeactivation = nullptr;
    std::unique_ptr<Win32WindowPlacement> m_placement;
    std::unique_ptr<Controls> m_storedControls;
    std::unique_ptr<FormStorage> FormStorage1;
};
