#include "damaged_store.h"

#include "store_file.h"
#include "store_lock.h"

#include <QFile>
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

} // namespace

std::optional<QString> setAsideDamagedStore(const QString& filePath, const QDateTime& now, const PosixCalls& calls)
{
    // A folder or a file that cannot be opened is no format error: the store reports it when read.
    if (parseStatus(filePath) != QSettings::FormatError)
        return std::nullopt;
    const StoreLock lock(filePath);
    if (!lock.isLocked() || !StoreFile::recover(filePath, calls))
        return std::nullopt;
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray original = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    file.close();

    // Qt reads on past the mark, but takes the file for damaged all the same.
    if (original.startsWith(ByteOrderMark)
        && StoreFile::replace(filePath, QByteArrayView(original).sliced(ByteOrderMark.size()), calls)
        && parseStatus(filePath) == QSettings::NoError)
        return std::nullopt;

    const QString copyPath = filePath + u".damaged-"_s + now.toString(u"yyyyMMdd-HHmmss"_s);
    if (!StoreFile::create(copyPath, original, calls))
        return std::nullopt;
    if (!StoreFile::replace(filePath, {}, calls)) {
        QFile::remove(copyPath);
        return std::nullopt;
    }
    return copyPath;
}
