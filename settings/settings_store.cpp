#include "settings_store.h"

#include "stored_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>
#include <filesystem>

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

std::filesystem::path toPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// The file as it was before one write, kept under a second name that shares
// its data: it takes no room on the disk, so it can be put back on a full one.
class PreviousFile final
{
public:
    explicit PreviousFile(const QString& filePath)
        : m_file(toPath(filePath))
        , m_previous(toPath(filePath + u".previous-"_s + QString::number(QCoreApplication::applicationPid())))
    {
        std::error_code failed;
        std::filesystem::remove(m_previous, failed);
        std::filesystem::create_hard_link(m_file, m_previous, failed);
        m_kept = !failed;
    }
    ~PreviousFile()
    {
        std::error_code ignored;
        std::filesystem::remove(m_previous, ignored);
    }
    PreviousFile(const PreviousFile&) = delete;
    PreviousFile& operator=(const PreviousFile&) = delete;

    void putBack()
    {
        std::error_code ignored;
        if (m_kept)
            std::filesystem::rename(m_previous, m_file, ignored);
    }

private:
    std::filesystem::path m_file;
    std::filesystem::path m_previous;
    bool m_kept;
};

} // namespace

ESettingsStoreError::ESettingsStoreError(const QString& message)
    : Exception(message.toStdString())
{ }

SettingsStore::SettingsStore(const QString& filePath, const QString& section)
    : m_filePath(filePath)
    , m_section(section)
    , m_settings(withFileCreated(filePath), QSettings::IniFormat)
{
    // Parsing every section now tells whether the file could be read and parsed.
    // A file that cannot is never written over, so nothing a person put in it is lost.
    m_settings.allKeys();
    m_readable = m_settings.status() == QSettings::NoError;
}

QString SettingsStore::programFilePath()
{
    return QStringLiteral("%1/Software/%2.conf")
        .arg(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
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
    if (!m_readable)
        throw ESettingsStoreError(QStringLiteral("Error al guardar '%1'").arg(name));
    m_settings.setValue(key(name), text);
    // QSettings replaces the whole file at once, so a crash leaves either the
    // old file or the new one, never a part.
    PreviousFile previous(m_filePath);
    m_settings.sync();
    if (m_settings.status() != QSettings::NoError || !isFileWhole()) {
        previous.putBack();
        throw ESettingsStoreError(QStringLiteral("Error al guardar '%1'").arg(name));
    }
}

// Qt 6.4's QSaveFile takes no notice of a write that fails as it empties its
// buffer (a full disk, a quota), and puts the cut file in place as if all went
// well. QSettings writes one line for each section and each value, so a whole
// file has exactly that many lines.
bool SettingsStore::isFileWhole() const
{
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = file.readAll();
    const QStringList keys = m_settings.allKeys();
    QSet<QString> sections;
    for (const QString& key : keys)
        sections.insert(key.contains(u'/') ? key.section(u'/', 0, 0) : QString());
    const QList<QByteArray> lines = text.split('\n');
    const auto written
        = std::count_if(lines.begin(), lines.end(), [](const QByteArray& line) { return !line.isEmpty(); });
    return text.endsWith('\n') && written == keys.size() + sections.size();
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
