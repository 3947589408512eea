#pragma once

#include "settings_store.h"
#include "stored_controls.h"
#include "window_placement.h"

#include <functional>
#include <string>

// The window's stored settings: its position and state, its two file names and
// its twelve boxes, read from the settings store when the window is shown and
// written back when it closes, or when it goes away without a completed save.
// Each front end calls it from the window's events.
class FormStorage final
{
public:
    using ErrorHandler = std::function<void(const std::string& message)>;

    // The section is the window's class name.
    FormStorage(SettingsStore& store, std::string section, WindowPlacement& placement, StoredControls& controls,
                ErrorHandler showError);
    FormStorage(const FormStorage&) = delete;
    FormStorage& operator=(const FormStorage&) = delete;

    // Both raise the store's errors.
    void restoreSettings();
    void saveSettings();

    // The window is about to be shown for the first time, or again after a hide.
    void windowShowing();
    // The window has decided on a close: only an allowed one is saved.
    void windowCloseQueried(bool allowed);
    // While the window's controls still exist.
    void windowDestroying();

private:
    void restorePosition(const ProgramKey& key);
    void restoreWindowState(const ProgramKey& key);
    void restoreProperties(const ProgramKey& key);
    void restoreProperty(const ProgramKey& key, const StoredProp& entry);
    void writeValues(ProgramKey& key);
    std::string readPositionText(const ProgramKey& key, std::string_view name) const;
    std::string resolutionSuffix() const;
    void reportingErrors(void (FormStorage::*operation)()) noexcept;

    SettingsStore& m_store;
    const std::string m_section;
    WindowPlacement& m_placement;
    StoredControls& m_controls;
    ErrorHandler m_showError;
    bool m_restored = false;
    bool m_saved = false;
    bool m_destroying = false;
};
