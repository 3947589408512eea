#include "ini_settings_store.h"

#include "file_descriptor.h"
#include "ini_text.h"
#include "store_file.h"
#include "store_lock.h"
#include "stored_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>
#include <fcntl.h>

using namespace Qt::StringLiterals;

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toUtf8(const QString& text)
{
    return text.toStdString();
}

class IniProgramKey final : public ProgramKey
{
public:
    IniProgramKey(const QString& filePath, const QString& section, const PosixCalls& calls);

    std::optional<std::string> readText(std::string_view name) const override;
    void writeText(std::string_view name, std::string_view text) override;
    void close() override;

private:
    QString key(std::string_view name) const { return m_section + u'/' + fromUtf8(name); }
    bool canCreateSection() const;
    std::optional<QByteArray> currentText() const;

    QString m_filePath;
    QString m_section;
    const PosixCalls& m_calls;
    QSettings m_settings;
    bool m_readable;
    IniText::Values m_written;
};

// Opening the program key creates it when it is missing, empty; a failure
// shows only at the first write.
const QString& withFileCreated(const QString& filePath)
{
    QDir().mkpath(QFileInfo(filePath).path());
    if (!QFileInfo::exists(filePath))
        QFile(filePath).open(QIODevice::WriteOnly);
    return filePath;
}

IniProgramKey::IniProgramKey(const QString& filePath, const QString& section, const PosixCalls& calls)
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

std::optional<std::string> IniProgramKey::readText(std::string_view name) const
{
    if (!m_readable)
        throw ESettingsStoreError(toUtf8(u"Error al leer '%1'"_s.arg(fromUtf8(name))));
    if (!m_settings.contains(key(name)))
        return std::nullopt;
    const QVariant value = m_settings.value(key(name));
    switch (value.typeId()) {
    case QMetaType::QString:
        return toUtf8(value.toString());
    case QMetaType::QStringList:
        // What a person types unquoted with commas, as in NormPos=100,200.
        return toUtf8(value.toStringList().join(u','));
    case QMetaType::QByteArray:
        // Like any value of size 0, an empty byte array reads as the empty text.
        if (value.toByteArray().isEmpty())
            return std::string();
        break;
    default:
        break;
    }
    throw ESettingsStoreError(toUtf8(u"Tipo de dato inválido para '%1'"_s.arg(fromUtf8(name))));
}

void IniProgramKey::writeText(std::string_view name, std::string_view text)
{
    const QString key = fromUtf8(name);
    const auto same
        = std::find_if(m_written.begin(), m_written.end(), [&](const auto& value) { return value.first == key; });
    if (same == m_written.end())
        m_written.append({key, fromUtf8(text)});
    else
        same->second = fromUtf8(text);
}

std::optional<QByteArray> IniProgramKey::currentText() const
{
    const FileDescriptor fd(retryInterrupted([&] {
                                return m_calls.open(QFile::encodeName(m_filePath).constData(), O_RDONLY | O_CLOEXEC, 0);
                            }),
                            m_calls);
    if (!fd.isValid())
        return errno == ENOENT ? std::optional<QByteArray>(QByteArray()) : std::nullopt;
    QByteArray text;
    char chunk[4096];
    for (;;) {
        const ssize_t count = retryInterrupted([&] { return m_calls.read(fd.get(), chunk, sizeof chunk); });
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            return text;
        text.append(chunk, count);
    }
}

void IniProgramKey::close()
{
    if (m_written.isEmpty())
        return;
    const IniText::Values written = std::exchange(m_written, {});
    if (!canCreateSection())
        throw ESettingsStoreError(toUtf8(u"Error al crear la llave %1"_s.arg(m_section)));
    const ESettingsStoreError failure(toUtf8(u"Error al guardar '%1'"_s.arg(written.first().first)));
    if (!m_readable)
        throw failure;
    const StoreLock lock(m_filePath);
    if (!lock.isLocked() || !StoreFile::recover(m_filePath, m_calls))
        throw failure;
    // Read again under the lock: another copy of the program may have written since.
    const std::optional<QByteArray> current = currentText();
    if (!current || !IniText::parses(*current)
        || !StoreFile::replace(m_filePath, IniText::withValues(*current, m_section, written), m_calls))
        throw failure;
}

bool IniProgramKey::canCreateSection() const
{
    const QFileInfo file(m_filePath);
    return QDir().mkpath(file.path()) && !file.isDir();
}

} // namespace

IniSettingsStore::IniSettingsStore(QString filePath, const PosixCalls& calls)
    : m_filePath(std::move(filePath))
    , m_calls(calls)
{ }

QString IniSettingsStore::programFilePath()
{
    // The base-directory rules take a relative XDG_CONFIG_HOME for invalid, and
    // the current folder moves with every confirmed browse.
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    const std::string baseName = StoredText::executableBaseName(toUtf8(QCoreApplication::applicationFilePath()), "/");
    return u"%1/Software/%2.conf"_s.arg(QDir::isAbsolutePath(configHome) ? configHome
                                                                         : QDir::homePath() + u"/.config"_s,
                                        QString::fromStdString(baseName));
}

std::unique_ptr<ProgramKey> IniSettingsStore::openProgramKey(std::string_view section)
{
    // A save killed as it wrote the file in place left it cut short: it is put back before it is read.
    if (StoreFile::wasCutShort(m_filePath)) {
        const StoreLock lock(m_filePath);
        if (lock.isLocked())
            StoreFile::recover(m_filePath, m_calls);
    }
    return std::make_unique<IniProgramKey>(m_filePath, fromUtf8(section), m_calls);
}
