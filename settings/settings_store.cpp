#include "settings_store.h"

#include "store_file.h"
#include "store_lock.h"
#include "stored_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Opening the program key creates it when it is missing, empty; a failure
// shows only at the first write.
const QString& withFileCreated(const QString& filePath)
{
    QDir().mkpath(QFileInfo(filePath).path());
    if (!QFileInfo::exists(filePath))
        QFile(filePath).open(QIODevice::WriteOnly);
    return filePath;
}

// Qt 6.4's QSaveFile takes no notice of a write that fails as it empties its
// buffer (a full disk, a quota), and puts the cut file in place as if all went
// well. QSettings writes one line for each section and each value, so a whole
// file has exactly that many lines.
bool isWhole(const QByteArray& text, const QSettings& settings)
{
    const QStringList keys = settings.allKeys();
    QSet<QString> sections;
    for (const QString& key : keys)
        sections.insert(key.contains(u'/') ? key.section(u'/', 0, 0) : QString());
    const QList<QByteArray> lines = text.split('\n');
    const auto written
        = std::count_if(lines.begin(), lines.end(), [](const QByteArray& line) { return !line.isEmpty(); });
    return text.endsWith('\n') && written == keys.size() + sections.size();
}

// The text QSettings writes for the store's file as it now is with the value
// set, made in a scratch folder: QSettings' own writing would wait for ever for
// a lock that a stopped process holds, and take no notice of a failed flush.
std::optional<QByteArray> mergedText(const QByteArray& current, const QString& key, const QString& text)
{
    // In memory where the system has it: QSaveFile flushes even a scratch file to its device.
    const QFileInfo memory(u"/dev/shm"_s);
    const QTemporaryDir scratch((memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath())
                                + u"/zorvanti-cribaxon-XXXXXX"_s);
    const QString path = scratch.filePath(u"store.conf"_s);
    QFile file(path);
    if (!scratch.isValid() || !file.open(QIODevice::WriteOnly) || file.write(current) != current.size()
        || !file.flush())
        return std::nullopt;
    file.close();
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(key, text);
    settings.sync();
    if (settings.status() != QSettings::NoError || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray merged = file.readAll();
    if (file.error() != QFileDevice::NoError || !isWhole(merged, settings))
        return std::nullopt;
    return merged;
}

} // namespace

ESettingsStoreError::ESettingsStoreError(const QString& message)
    : Exception(message.toStdString())
{ }

SettingsStore::SettingsStore(const QString& filePath, const QString& section, const PosixCalls& calls)
    : m_filePath(filePath)
    , m_section(section)
    , m_calls(calls)
    , m_settings(withFileCreated(filePath), QSettings::IniFormat)
{
    // Parsing every section now tells whether the file could be read and parsed.
    // A file that cannot is never written over, so nothing a person put in it is lost.
    m_settings.allKeys();
    m_readable = m_settings.status() == QSettings::NoError;
}

QString SettingsStore::programFilePath()
{
    // The base-directory rules take a relative XDG_CONFIG_HOME for invalid, and
    // the current folder moves with every confirmed browse.
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    return QStringLiteral("%1/Software/%2.conf")
        .arg(QDir::isAbsolutePath(configHome) ? configHome : QDir::homePath() + u"/.config"_s,
             StoredText::executableBaseName(QCoreApplication::applicationFilePath()));
}

QString SettingsStore::readText(const QString& name, const QString& defaultText) const
{
    if (!m_readable)
        throw ESettingsStoreError(QStringLiteral("Error al leer '%1'").arg(name));
    if (!m_settings.contains(key(name)))
        return defaultText;
    const QVariant value = m_settings.value(key(name));
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QStringList:
        // What a person types unquoted with commas, as in NormPos=100,200.
        return value.toStringList().join(u',');
    case QMetaType::QByteArray:
        // Like any value of size 0, an empty byte array reads as the empty text.
        if (value.toByteArray().isEmpty())
            return {};
        break;
    default:
        break;
    }
    throw ESettingsStoreError(QStringLiteral("Tipo de dato inválido para '%1'").arg(name));
}

void SettingsStore::writeText(const QString& name, const QString& text)
{
    if (!canCreateSection())
        throw ESettingsStoreError(QStringLiteral("Error al crear la llave %1").arg(m_section));
    const ESettingsStoreError failure(QStringLiteral("Error al guardar '%1'").arg(name));
    if (!m_readable)
        throw failure;
    const StoreLock lock(m_filePath);
    if (!lock.isLocked())
        throw failure;
    removeStoreLeftovers(m_filePath, m_calls);
    // Read again under the lock: another copy of the program may have written since.
    QFile file(m_filePath);
    QByteArray current;
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            throw failure;
        current = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw failure;
    }
    const std::optional<QByteArray> merged = mergedText(current, key(name), text);
    if (!merged || !replaceStoreFile(m_filePath, *merged, m_calls))
        throw failure;
}

bool SettingsStore::canCreateSection() const
{
    const QFileInfo file(m_filePath);
    return QDir().mkpath(file.path()) && !file.isDir();
}

QString SettingsStore::key(const QString& name) const
{
    return m_section + u'/' + name;
}
