#include "tform_storage.h"

#include "category_table.h"
#include "damaged_store.h"
#include "settings_store.h"
#include "stored_text.h"
#include "stored_value_check.h"
#include "user_message.h"
#include "window_placement.h"

#include <QDateTime>
#include <QEvent>
#include <QVariant>
#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

using namespace Qt::StringLiterals;
using StoredText::fromBoolean;
using StoredText::resolutionSuffix;
using StoredText::toInteger;
using StoredText::trimmedControlCodes;
using StoredText::word;

namespace {

// Stored settings of a lower version are not applied.
constexpr int SettingsVersion = 0;

// The values of the window itself, beside those of its controls.
namespace ValueName {
constexpr auto FormVersion = "FormVersion"_L1;
constexpr auto Flags = "Flags"_L1;
constexpr auto ShowCmd = "ShowCmd"_L1;
constexpr auto PixelsPerInch = "PixelsPerInch"_L1;
// These two are also stored once more for each screen size, with its suffix.
constexpr auto MinMaxPos = "MinMaxPos"_L1;
constexpr auto NormPos = "NormPos"_L1;
constexpr auto Visible = "Visible"_L1;
} // namespace ValueName

// A property under the name its component's class declares, which the value
// names carry, and under Qt's name for it.
struct PropertyNames
{
    QStringView declared;
    const char* qt;
};

constexpr PropertyNames FileName {u"FileName", "FileName"};
constexpr PropertyNames Checked {u"Checked", "checked"};

// An entry of StoredProps: a component's name and one of its properties.
struct StoredPropsEntry
{
    std::string_view component;
    PropertyNames property;
};

// In the order of restore and save: the file names first, then the category
// boxes before their speed-warning boxes, so that restoring a category box
// enables its companion before the companion's own value arrives; the boxes of
// each kind in the order of their names, as the stored values stand.
constexpr auto StoredProps = [] {
    std::array<std::string_view, PointCategoryCount> boxes {};
    std::array<std::string_view, PointCategoryCount> speedBoxes {};
    for (std::size_t i = 0; i < CategoryTable.size(); ++i) {
        boxes[i] = CategoryTable[i].identifier;
        speedBoxes[i] = CategoryTable[i].speedIdentifier;
    }
    std::ranges::sort(boxes);
    std::ranges::sort(speedBoxes);
    std::array<StoredPropsEntry, 2 + 2 * PointCategoryCount> entries {{
        {"FilenameEdit1", FileName},
        {"FilenameEdit2", FileName},
    }};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        entries[2 + i] = {boxes[i], Checked};
        entries[2 + boxes.size() + i] = {speedBoxes[i], Checked};
    }
    return entries;
}();

int readInteger(const SettingsStore& store, const QString& name, int defaultValue)
{
    return toInteger(store.readText(name, {})).value_or(defaultValue);
}

QObject* findComponent(const QObject* window, QStringView name)
{
    const QList<QObject*> children = window->findChildren<QObject*>();
    const auto found = std::find_if(children.begin(), children.end(), [name](const QObject* child) {
        return StoredText::equalIgnoringLatinCase(child->objectName(), name);
    });
    return found == children.end() ? nullptr : *found;
}

bool isBoolean(const QMetaProperty& property)
{
    return property.typeId() == QMetaType::Bool;
}

} // namespace

TFormStorage::TFormStorage(QObject* window, std::unique_ptr<WindowPlacement> placement, ErrorHandler showError)
    : QObject(window)
    , m_window(window)
    , m_placement(std::move(placement))
    , m_showError(std::move(showError))
{
    resolveStoredProps();
    window->installEventFilter(this);
}

TFormStorage::~TFormStorage() = default;

void TFormStorage::resolveStoredProps()
{
    for (const StoredPropsEntry& entry : StoredProps) {
        const QString name
            = QString::fromLatin1(entry.component.data(), static_cast<qsizetype>(entry.component.size()));
        QObject* control = findComponent(m_window, name);
        if (!control)
            continue;
        const QMetaObject* meta = control->metaObject();
        const QMetaProperty property = meta->property(meta->indexOfProperty(entry.property.qt));
        const bool supported = isBoolean(property) || property.typeId() == QMetaType::QString;
        if (!supported || !property.isWritable())
            continue;
        m_controlProperties.push_back({control, property, dynamic_cast<const StoredValueCheck*>(control),
                                       control->objectName() + u'_' + entry.property.declared.toString()});
    }
}

void TFormStorage::restoreSettings()
{
    m_saved = false;
    const QString filePath = SettingsStore::programFilePath();
    // A store that cannot be parsed would otherwise stop every restore and every save for good.
    const std::optional<QString> damagedCopy = setAsideDamagedStore(filePath, QDateTime::currentDateTime());
    {
        const SettingsStore store(filePath, sectionName());
        const bool applies = readInteger(store, ValueName::FormVersion, SettingsVersion) >= SettingsVersion;
        if (applies) {
            restorePosition(store);
            restoreWindowState(store);
        }
        // An error up to here leaves the flag clear, so that the close keeps the stored values for the
        // next start to meet the same error; the properties drop their errors one by one.
        m_restored = true;
        if (applies)
            restoreProperties(store);
    }
    // Where a maximized window stands is not restored, here or anywhere: the
    // desktop alone places a maximized window.
    if (damagedCopy)
        m_showError(u"Error al leer '%1'. Se ha guardado una copia en '%2'"_s.arg(filePath, *damagedCopy));
}

void TFormStorage::restorePosition(const SettingsStore& store)
{
    // The flags word has nothing to set in this window's placement; it is read
    // all the same, so that a bad value ends the restore here as it would anywhere.
    readInteger(store, ValueName::Flags, m_placement->flags());
    // No minimized or maximized position exists to be set, but one stored still
    // counts as stored data.
    bool found = !readPositionText(store, ValueName::MinMaxPos).isEmpty();

    const QRect current = m_placement->frame();
    QPoint topLeft = current.topLeft();
    const QString normPos = readPositionText(store, ValueName::NormPos);
    if (!normPos.isEmpty()) {
        found = true;
        // The window's border is fixed, so it takes only its position from the
        // store, always at its designed size.
        topLeft = {toInteger(word(normPos, 1)).value_or(current.left()),
                   toInteger(word(normPos, 2)).value_or(current.top())};
    }
    const int pixelsPerInch = m_placement->pixelsPerInch();
    if (readInteger(store, ValueName::PixelsPerInch, pixelsPerInch) != pixelsPerInch)
        found = false;

    // A position wholly off every screen, as after a monitor was unplugged, would
    // put the window out of the user's reach: it stays at its designed position.
    if (found && !m_placement->isOffScreen(topLeft, current.size()))
        m_placement->moveTo(topLeft);
}

QString TFormStorage::readPositionText(const SettingsStore& store, const QString& name) const
{
    const QString forScreen = store.readText(name + resolutionSuffix(m_placement->primaryScreenSize()), {});
    return forScreen.isEmpty() ? store.readText(name, {}) : forScreen;
}

void TFormStorage::restoreWindowState(const SettingsStore& store)
{
    switch (readInteger(store, ValueName::ShowCmd, 0)) {
    case WindowPlacement::ShowMinimized:
    case WindowPlacement::Minimize:
    case WindowPlacement::ShowMinimizedInactive:
        m_placement->setMaximized(false);
        m_placement->requestApplicationMinimize();
        break;
    case WindowPlacement::ShowMaximized:
        m_placement->setMaximized(true);
        break;
    default:
        m_placement->setMaximized(false);
        break;
    }
}

void TFormStorage::restoreProperties(const SettingsStore& store)
{
    for (const ControlProperty& stored : m_controlProperties) {
        try {
            restoreProperty(store, stored);
        } catch (const std::exception&) {
            // A value of another type costs this entry alone.
        }
    }
}

void TFormStorage::restoreProperty(const SettingsStore& store, const ControlProperty& stored)
{
    const QString text = trimmedControlCodes(store.readText(stored.valueName, currentText(stored)));
    // Writing the property calls its setter, the same assignment program code makes.
    // A value the control refuses is dropped before it is written.
    if (!isBoolean(stored.property)) {
        if (!stored.check || stored.check->acceptsStoredValue(stored.property.name(), text))
            stored.property.write(stored.control, text);
    } else if (const std::optional<bool> checked = StoredText::toBoolean(text))
        stored.property.write(stored.control, *checked);
}

QString TFormStorage::currentText(const ControlProperty& stored)
{
    const QVariant value = stored.property.read(stored.control);
    return isBoolean(stored.property) ? fromBoolean(value.toBool()) : value.toString();
}

void TFormStorage::saveSettings()
{
    if (!m_restored)
        return;
    SettingsStore store(SettingsStore::programFilePath(), sectionName());
    store.writeText(ValueName::FormVersion, QString::number(SettingsVersion));
    const int showCommand
        = m_placement->isApplicationMinimized() ? WindowPlacement::ShowMinimized : m_placement->showCommand();
    store.writeText(ValueName::Flags, QString::number(m_placement->flags()));
    store.writeText(ValueName::ShowCmd, QString::number(showCommand));
    store.writeText(ValueName::PixelsPerInch, QString::number(m_placement->pixelsPerInch()));
    // A position the window cannot learn is not written: the stored one stays
    // for the next desktop that places windows where they ask.
    if (m_placement->knowsPosition())
        savePosition(store);
    store.writeText(ValueName::Visible, m_destroying ? u"1"_s : u"0"_s);
    for (const ControlProperty& stored : m_controlProperties)
        store.writeText(stored.valueName, trimmedControlCodes(currentText(stored)));
    m_saved = true;
}

void TFormStorage::savePosition(SettingsStore& store) const
{
    // There are no minimized or maximized positions here to store.
    const QString minMaxPos = StoredText::positionText(-1, -1, -1, -1);
    const QString suffix = resolutionSuffix(m_placement->primaryScreenSize());
    store.writeText(ValueName::MinMaxPos + suffix, minMaxPos);
    store.writeText(ValueName::MinMaxPos, minMaxPos);
    const QRect normal = m_placement->normalFrame();
    const QString normPos = StoredText::positionText(normal.left(), normal.top(), normal.left() + normal.width(),
                                                     normal.top() + normal.height());
    store.writeText(ValueName::NormPos + suffix, normPos);
    store.writeText(ValueName::NormPos, normPos);
}

void TFormStorage::windowCloseQueried(bool allowed)
{
    if (allowed)
        reportingErrors(&TFormStorage::saveSettings);
}

void TFormStorage::windowDestroying()
{
    if (m_saved)
        return;
    m_destroying = true;
    reportingErrors(&TFormStorage::saveSettings);
    m_destroying = false;
}

bool TFormStorage::eventFilter(QObject* /*watched*/, QEvent* event)
{
    // Sent before the window is mapped, so it appears at its restored place. A
    // spontaneous one comes when the desktop brings a minimized window back,
    // which is no new showing.
    if (event->type() == QEvent::Show && !event->spontaneous())
        reportingErrors(&TFormStorage::restoreSettings);
    return false;
}

QString TFormStorage::sectionName() const
{
    // The window's class name, without any namespace around it.
    const QString className = QString::fromLatin1(m_window->metaObject()->className());
    return className.sliced(className.lastIndexOf(u':') + 1);
}

// Called from event handling, so nothing may leave it.
void TFormStorage::reportingErrors(void (TFormStorage::*operation)()) noexcept
{
    try {
        (this->*operation)();
    } catch (...) {
        m_showError(QString::fromStdString(userMessage(std::current_exception())));
    }
}
