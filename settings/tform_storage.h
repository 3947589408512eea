#pragma once

#include "form_storage.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class IniSettingsStore;
class StoredValueCheck;

// FormStorage1 of a Qt window: the stored settings' rules (FormStorage) over
// the INI store, the window's placement and its controls found by name.
//
// What the window owes it:
// - each stored control is a child whose objectName is its component name (as
//   "FilenameEdit1"; letter case aside) and which has the stored property as a
//   writable Q_PROPERTY of type bool or QString, under Qt's name for it
//   ("checked", "FileName"). Controls are found when the storage is built, so
//   it is built once they exist, after setupUi;
// - a control whose setter of that property refuses some values by throwing
//   implements StoredValueCheck, which is asked first: the property is written
//   through the meta-object system, where no exception may pass;
// - the window's closeEvent ends with windowCloseQueried(), its destructor
//   begins with windowDestroying(); the show it watches for itself.
// The section is the window's class name.
class TFormStorage final : public QObject
{
    Q_OBJECT

public:
    using ErrorHandler = std::function<void(const QString& message)>;

    // Becomes a child of the window and watches its show. The store outlives it.
    TFormStorage(QObject* window, IniSettingsStore& store, std::unique_ptr<WindowPlacement> placement,
                 ErrorHandler showError);
    ~TFormStorage() override;

    // Both raise the store's errors.
    void restoreSettings();
    void saveSettings();

    // The window has decided on a close: only an allowed one is saved.
    void windowCloseQueried(bool allowed);
    // While the window's controls still exist.
    void windowDestroying();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Controls;

    IniSettingsStore& m_store;
    std::unique_ptr<WindowPlacement> m_placement;
    std::unique_ptr<Controls> m_controls;
    ErrorHandler m_showError;
    FormStorage m_rules;
};
