#pragma once

#include <QMetaProperty>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class SettingsStore;
class StoredValueCheck;
class WindowPlacement;

// The window's stored settings: its position and state, its two file names and
// its twelve boxes, read from the settings store when the window is shown and
// written back when it closes, or when it goes away without a completed save.
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

    // Becomes a child of the window and watches its show.
    TFormStorage(QObject* window, std::unique_ptr<WindowPlacement> placement, ErrorHandler showError);
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
    // A stored property found on its control, with the name its value is stored under.
    struct ControlProperty
    {
        QObject* control;
        QMetaProperty property;
        // Null where the control takes every value.
        const StoredValueCheck* check;
        QString valueName;
    };

    void resolveStoredProps();
    void restorePosition(const SettingsStore& store);
    void restoreWindowState(const SettingsStore& store);
    void restoreProperties(const SettingsStore& store);
    void restoreProperty(const SettingsStore& store, const ControlProperty& stored);
    void savePosition(SettingsStore& store) const;
    static QString currentText(const ControlProperty& stored);
    QString readPositionText(const SettingsStore& store, const QString& name) const;
    QString sectionName() const;
    void reportingErrors(void (TFormStorage::*operation)()) noexcept;

    QObject* m_window;
    std::unique_ptr<WindowPlacement> m_placement;
    ErrorHandler m_showError;
    std::vector<ControlProperty> m_controlProperties;
    bool m_restored = false;
    bool m_saved = false;
    bool m_destroying = false;
};
