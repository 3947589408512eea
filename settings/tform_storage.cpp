#include "tform_storage.h"

#include "damaged_store.h"
#include "ini_settings_store.h"
#include "stored_text.h"
#include "stored_value_check.h"

#include <QDateTime>
#include <QEvent>
#include <QMetaProperty>
#include <QVariant>
#include <algorithm>
#include <map>

using namespace Qt::StringLiterals;

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QObject* findComponent(const QObject* window, std::string_view name)
{
    const QString wanted = fromUtf8(name);
    const QList<QObject*> children = window->findChildren<QObject*>();
    const auto found = std::find_if(children.begin(), children.end(), [&wanted](const QObject* child) {
        return StoredText::equalIgnoringLatinCase(child->objectName().toStdString(), wanted.toStdString());
    });
    return found == children.end() ? nullptr : *found;
}

QString sectionOf(const QObject* window)
{
    // The window's class name, without any namespace around it.
    const QString className = QString::fromLatin1(window->metaObject()->className());
    return className.sliced(className.lastIndexOf(u':') + 1);
}

} // namespace

// The window's stored controls, found by name and reached through their Qt properties.
class TFormStorage::Controls final : public StoredControls
{
public:
    explicit Controls(const QObject* window)
    {
        for (const StoredProp& entry : StoredProps) {
            QObject* control = findComponent(window, entry.component);
            if (!control)
                continue;
            const bool checked = entry.property == StoredProperty::Checked;
            const QMetaObject* meta = control->metaObject();
            const QMetaProperty property = meta->property(meta->indexOfProperty(checked ? "checked" : "FileName"));
            if (property.typeId() != (checked ? QMetaType::Bool : QMetaType::QString) || !property.isWritable())
                continue;
            m_found.emplace(entry.component, Found {control, property});
        }
    }

    bool has(const StoredProp& entry) const override { return m_found.contains(entry.component); }

    std::string currentText(const StoredProp& entry) const override
    {
        const Found& found = m_found.at(entry.component);
        const QVariant value = found.property.read(found.control);
        if (entry.property == StoredProperty::Checked)
            return std::string(StoredText::fromBoolean(value.toBool()));
        return value.toString().toStdString();
    }

    // Writing the property calls its setter, the same assignment program code
    // makes. A name the field refuses is dropped before it is written.
    void setFileName(const StoredProp& entry, const std::string& name) override
    {
        const Found& found = m_found.at(entry.component);
        const QString value = QString::fromStdString(name);
        const auto* check = dynamic_cast<const StoredValueCheck*>(found.control);
        if (!check || check->acceptsStoredValue(found.property.name(), value))
            found.property.write(found.control, value);
    }

    void setChecked(const StoredProp& entry, bool checked) override
    {
        const Found& found = m_found.at(entry.component);
        found.property.write(found.control, checked);
    }

private:
    struct Found
    {
        QObject* control;
        QMetaProperty property;
    };
    std::map<std::string_view, Found> m_found;
};

TFormStorage::TFormStorage(QObject* window, IniSettingsStore& store, std::unique_ptr<WindowPlacement> placement,
                           ErrorHandler showError)
    : QObject(window)
    , m_store(store)
    , m_placement(std::move(placement))
    , m_controls(std::make_unique<Controls>(window))
    , m_showError(std::move(showError))
    , m_rules(store, sectionOf(window).toStdString(), *m_placement, *m_controls,
              [this](const std::string& message) { m_showError(QString::fromStdString(message)); })
{
    window->installEventFilter(this);
}

TFormStorage::~TFormStorage() = default;

void TFormStorage::restoreSettings()
{
    m_rules.restoreSettings();
}

void TFormStorage::saveSettings()
{
    m_rules.saveSettings();
}

void TFormStorage::windowCloseQueried(bool allowed)
{
    m_rules.windowCloseQueried(allowed);
}

void TFormStorage::windowDestroying()
{
    m_rules.windowDestroying();
}

bool TFormStorage::eventFilter(QObject* /*watched*/, QEvent* event)
{
    // Sent before the window is mapped, so it appears at its restored place. A
    // spontaneous one comes when the desktop brings a minimized window back,
    // which is no new showing.
    if (event->type() != QEvent::Show || event->spontaneous())
        return false;
    // A store that cannot be parsed would otherwise stop every restore and every save for good.
    const QString path = m_store.filePath();
    const std::optional<QString> damagedCopy
        = setAsideDamagedStore(path, QDateTime::currentDateTime(), m_store.calls());
    m_rules.windowShowing();
    if (damagedCopy)
        m_showError(u"Error al leer '%1'. Se ha guardado una copia en '%2'"_s.arg(path, *damagedCopy));
    return false;
}
