#pragma once

#include "exception.h"
#include "posix_calls.h"

#include <QSettings>
#include <QString>

// A failure of the settings store, with the message the user sees.
class ESettingsStoreError final : public Exception
{
public:
    explicit ESettingsStoreError(const QString& message);
};

// The program key of the per-user settings store, open for one restore or one
// save: an INI file in the user's configuration folder, one section of it
// addressed. Closed when this goes away.
class SettingsStore final
{
public:
    SettingsStore(const QString& filePath, const QString& section, const PosixCalls& calls = PosixCalls::system());

    // "<configuration folder>/Software/<executable base name>.conf" of the running program.
    static QString programFilePath();

    // The value's text, or defaultText when the value is absent. A value that is
    // not text raises "Tipo de dato inválido para '%s'"; a store whose file cannot
    // be read raises "Error al leer '%s'".
    QString readText(const QString& name, const QString& defaultText) const;

    // Stores the text as the value and makes it durable before returning. Raises
    // "Error al crear la llave %s" when the section's file or folder cannot be
    // created, "Error al guardar '%s'" when the value cannot be stored: also when
    // the file is read-only (for root too), when another process holds the
    // store's lock for longer than a moment, or when the flush to the device
    // fails. Reads of this store do not see the values written through it.
    void writeText(const QString& name, const QString& text);

private:
    bool canCreateSection() const;
    QString key(const QString& name) const;

    QString m_filePath;
    QString m_section;
    const PosixCalls& m_calls;
    QSettings m_settings;
    bool m_readable;
};
