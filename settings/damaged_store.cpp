#include "damaged_store.h"

#include "store_lock.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace {

constexpr QByteArrayView ByteOrderMark = "\xEF\xBB\xBF";

QSettings::Status parseStatus(const QString& filePath)
{
    QSettings settings(filePath, QSettings::IniFormat);
    // The file is parsed at the first look into it.
    settings.allKeys();
    return settings.status();
}

bool replaceContents(const QString& filePath, QByteArrayView bytes)
{
    QSaveFile file(filePath);
    // QSaveFile may take a write that failed as it emptied its buffer for a whole file; the size tells.
    return file.open(QIODevice::WriteOnly) && file.write(bytes.data(), bytes.size()) == bytes.size() && file.commit()
        && QFileInfo(filePath).size() == bytes.size();
}

bool writeNewFile(const QString& filePath, const QByteArray& bytes)
{
    QFile file(filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    if (file.write(bytes) == bytes.size() && file.flush())
        return true;
    file.remove();
    return false;
}

} // namespace

std::optional<QString> setAsideDamagedStore(const QString& filePath, const QDateTime& now)
{
    // A folder or a file that cannot be opened is no format error: the store reports it when read.
    if (parseStatus(filePath) != QSettings::FormatError)
        return std::nullopt;
    // A write of the store like any other.
    const StoreLock lock(filePath);
    if (!lock.isLocked())
        return std::nullopt;
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray original = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    file.close();

    // Qt reads on past the mark, but takes the file for damaged all the same.
    if (original.startsWith(ByteOrderMark) && replaceContents(filePath, QByteArrayView(original).sliced(3))
        && parseStatus(filePath) == QSettings::NoError)
        return std::nullopt;

    const QString copyPath = filePath + u".damaged-"_s + now.toString(u"yyyyMMdd-HHmmss"_s);
    if (!writeNewFile(copyPath, original))
        return std::nullopt;
    if (!replaceContents(filePath, {})) {
        QFile::remove(copyPath);
        return std::nullopt;
    }
    return copyPath;
}
