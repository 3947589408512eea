#include "form_storage.h"

#include "stored_text.h"
#include "user_message.h"

#include <exception>

using StoredText::toInteger;
using StoredText::trimmedControlCodes;
using StoredText::word;

namespace {

int readInteger(const ProgramKey& key, std::string_view name, int defaultValue)
{
    return toInteger(key.readText(name).value_or("")).value_or(defaultValue);
}

// The key is closed on every way out; the first failure is the one that leaves.
template <typename Work> void withKeyClosed(ProgramKey& key, Work&& work)
{
    try {
        work();
    } catch (...) {
        const std::exception_ptr failure = std::current_exception();
        try {
            key.close();
        } catch (...) { }
        std::rethrow_exception(failure);
    }
    key.close();
}

} // namespace

FormStorage::FormStorage(SettingsStore& store, std::string section, WindowPlacement& placement,
                         StoredControls& controls, ErrorHandler showError)
    : m_store(store)
    , m_section(std::move(section))
    , m_placement(placement)
    , m_controls(controls)
    , m_showError(std::move(showError))
{ }

void FormStorage::restoreSettings()
{
    m_saved = false;
    const std::unique_ptr<ProgramKey> key = m_store.openProgramKey(m_section);
    withKeyClosed(*key, [&] {
        const bool applies = readInteger(*key, ValueName::FormVersion, SettingsVersion) >= SettingsVersion;
        if (applies) {
            restorePosition(*key);
            restoreWindowState(*key);
        }
        // An error up to here leaves the flag clear, so that the close keeps the stored values for the
        // next start to meet the same error; the properties drop their errors one by one.
        m_restored = true;
        if (applies)
            restoreProperties(*key);
    });
    m_placement.setMaximizedPositionToBorder();
}

void FormStorage::restorePosition(const ProgramKey& key)
{
    const WindowPlacement::Frame current = m_placement.frame();
    WindowPlacement::Record record {.flags = readInteger(key, ValueName::Flags, m_placement.flags()),
                                    .minimized = m_placement.minimizedPosition(),
                                    .maximized = m_placement.maximizedPosition(),
                                    .normalTopLeft = current.topLeft};
    bool found = false;
    if (const std::string minMaxPos = readPositionText(key, ValueName::MinMaxPos); !minMaxPos.empty()) {
        found = true;
        record.minimized = {toInteger(word(minMaxPos, 1)).value_or(0), toInteger(word(minMaxPos, 2)).value_or(0)};
        record.maximized = {toInteger(word(minMaxPos, 3)).value_or(0), toInteger(word(minMaxPos, 4)).value_or(0)};
    }
    if (const std::string normPos = readPositionText(key, ValueName::NormPos); !normPos.empty()) {
        found = true;
        // The window's border is fixed, so it takes only its position from the
        // store, always at its designed size.
        record.normalTopLeft = {toInteger(word(normPos, 1)).value_or(current.topLeft.x),
                                toInteger(word(normPos, 2)).value_or(current.topLeft.y)};
    }
    const int pixelsPerInch = m_placement.pixelsPerInch();
    if (readInteger(key, ValueName::PixelsPerInch, pixelsPerInch) != pixelsPerInch)
        found = false;

    // A position wholly off every screen, as after a monitor was unplugged, would
    // put the window out of the user's reach: it stays at its designed position.
    if (found && !m_placement.isOffScreen(record.normalTopLeft, current.size))
        m_placement.apply(record);
}

std::string FormStorage::readPositionText(const ProgramKey& key, std::string_view name) const
{
    const std::string forScreen = key.readText(std::string(name) + resolutionSuffix()).value_or("");
    return forScreen.empty() ? key.readText(name).value_or("") : forScreen;
}

std::string FormStorage::resolutionSuffix() const
{
    const WindowPlacement::Size screen = m_placement.primaryScreenSize();
    return StoredText::resolutionSuffix(screen.width, screen.height);
}

void FormStorage::restoreWindowState(const ProgramKey& key)
{
    switch (readInteger(key, ValueName::ShowCmd, 0)) {
    case WindowPlacement::ShowMinimized:
    case WindowPlacement::Minimize:
    case WindowPlacement::ShowMinimizedInactive:
        m_placement.setMaximized(false);
        m_placement.requestApplicationMinimize();
        break;
    case WindowPlacement::ShowMaximized:
        m_placement.setMaximized(true);
        break;
    default:
        m_placement.setMaximized(false);
        break;
    }
}

void FormStorage::restoreProperties(const ProgramKey& key)
{
    for (const StoredProp& entry : StoredProps) {
        if (!m_controls.has(entry))
            continue;
        try {
            restoreProperty(key, entry);
        } catch (...) {
            // A value of another type, or a name the field refuses, costs this entry alone.
        }
    }
}

void FormStorage::restoreProperty(const ProgramKey& key, const StoredProp& entry)
{
    const std::string stored = key.readText(entry.valueName()).value_or(m_controls.currentText(entry));
    const std::string text(trimmedControlCodes(stored));
    if (entry.property == StoredProperty::FileName)
        m_controls.setFileName(entry, text);
    else if (const std::optional<bool> checked = StoredText::toBoolean(text))
        m_controls.setChecked(entry, *checked);
}

void FormStorage::saveSettings()
{
    if (!m_restored)
        return;
    const std::unique_ptr<ProgramKey> key = m_store.openProgramKey(m_section);
    withKeyClosed(*key, [&] { writeValues(*key); });
    m_saved = true;
}

void FormStorage::writeValues(ProgramKey& key)
{
    key.writeText(ValueName::FormVersion, std::to_string(SettingsVersion));
    const int showCommand
        = m_placement.isApplicationMinimized() ? WindowPlacement::ShowMinimized : m_placement.showCommand();
    key.writeText(ValueName::Flags, std::to_string(m_placement.flags()));
    key.writeText(ValueName::ShowCmd, std::to_string(showCommand));
    key.writeText(ValueName::PixelsPerInch, std::to_string(m_placement.pixelsPerInch()));
    // A position the window cannot learn is not written: the stored one stays
    // for the next desktop that places windows where they ask.
    if (m_placement.knowsPosition()) {
        const WindowPlacement::Point minimized = m_placement.minimizedPosition();
        const WindowPlacement::Point maximized = m_placement.maximizedPosition();
        const std::string minMaxPos = StoredText::positionText(minimized.x, minimized.y, maximized.x, maximized.y);
        const WindowPlacement::Frame normal = m_placement.normalFrame();
        const std::string normPos
            = StoredText::positionText(normal.topLeft.x, normal.topLeft.y, normal.topLeft.x + normal.size.width,
                                       normal.topLeft.y + normal.size.height);
        const std::string suffix = resolutionSuffix();
        key.writeText(std::string(ValueName::MinMaxPos) + suffix, minMaxPos);
        key.writeText(ValueName::MinMaxPos, minMaxPos);
        key.writeText(std::string(ValueName::NormPos) + suffix, normPos);
        key.writeText(ValueName::NormPos, normPos);
    }
    key.writeText(ValueName::Visible, m_destroying ? "1" : "0");
    for (const StoredProp& entry : StoredProps) {
        if (m_controls.has(entry))
            key.writeText(entry.valueName(), trimmedControlCodes(m_controls.currentText(entry)));
    }
}

void FormStorage::windowShowing()
{
    reportingErrors(&FormStorage::restoreSettings);
}

void FormStorage::windowCloseQueried(bool allowed)
{
    if (allowed)
        reportingErrors(&FormStorage::saveSettings);
}

void FormStorage::windowDestroying()
{
    if (m_saved)
        return;
    m_destroying = true;
    reportingErrors(&FormStorage::saveSettings);
    m_destroying = false;
}

// Called from the window's events, so nothing may leave it.
void FormStorage::reportingErrors(void (FormStorage::*operation)()) noexcept
{
    try {
        (this->*operation)();
    } catch (...) {
        m_showError(userMessage(std::current_exception()));
    }
}
