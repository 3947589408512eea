#pragma once

#include <QMetaMethod>
#include <QMetaProperty>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class SettingsStore;
class WindowPlacement;

// The window's stored settings: its position and state, its two file names and
// its twelve boxes, read from the settings store when the window is shown and
// written back when it closes, or when it goes away without a completed save.
class TFormStorage final : public QObject
{
    Q_OBJECT

public:
    using ErrorHandler = std::function<void(const QString& message)>;

    // Becomes a child of the window and watches its show and close. Create it
    // once the window's controls exist: the stored properties are found among
    // them by name now.
    TFormStorage(QObject* window, std::unique_ptr<WindowPlacement> placement, ErrorHandler showError);
    ~TFormStorage() override;

    // Both raise the store's errors.
    void restoreSettings();
    void saveSettings();

    // The window's destructor calls this first, while its controls still exist.
    void windowDestroying();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct StoredProp
    {
        QObject* component;
        QMetaProperty property;
        // The component's "bool accepts<Property>(QString)", where it refuses some values.
        QMetaMethod acceptor;
        QString valueName;
    };

    void resolveStoredProps();
    void restorePosition(const SettingsStore& store);
    void restoreWindowState(const SettingsStore& store);
    void restoreProperties(const SettingsStore& store);
    void restoreProperty(const SettingsStore& store, const StoredProp& prop);
    void savePosition(SettingsStore& store) const;
    static QString currentText(const StoredProp& prop);
    QString readPositionText(const SettingsStore& store, const QString& name) const;
    QString sectionName() const;
    void reportingErrors(void (TFormStorage::*operation)()) noexcept;

    QObject* m_window;
    std::unique_ptr<WindowPlacement> m_placement;
    ErrorHandler m_showError;
    std::vector<StoredProp> m_storedProps;
    bool m_restored = false;
    bool m_saved = false;
    bool m_destroying = false;
};
