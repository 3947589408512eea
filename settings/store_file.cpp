#include "store_file.h"

#include "file_descriptor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr mode_t AnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr qsizetype TemporarySuffixSize = 6;
constexpr QStringView PreviousCopy = u"previous-";

bool isTemporarySuffix(QStringView suffix)
{
    const auto isAsciiLetterOrDigit = [](QChar c) {
        return c.isLetterOrNumber() && c.unicode() < 0x80;
    };
    return suffix.size() == TemporarySuffixSize && std::all_of(suffix.begin(), suffix.end(), isAsciiLetterOrDigit)
        && std::any_of(suffix.begin(), suffix.end(), [](QChar c) { return c.isLower(); })
        && std::any_of(suffix.begin() + 1, suffix.end(), [](QChar c) { return c.isUpper(); });
}

bool isPreviousCopyOfEndedProcess(QStringView suffix)
{
    if (!suffix.startsWith(PreviousCopy))
        return false;
    bool isNumber = false;
    const qint64 pid = suffix.sliced(PreviousCopy.size()).toLongLong(&isNumber);
    // Another user's process still counts as running.
    return isNumber && pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

QString temporarySuffix()
{
    constexpr QStringView Letters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    while (!isTemporarySuffix(suffix)) {
        suffix.clear();
        for (qsizetype i = 0; i < TemporarySuffixSize; ++i)
            suffix += Letters[QRandomGenerator::global()->bounded(Letters.size())];
    }
    return suffix;
}

bool writeAll(int fd, QByteArrayView bytes, const PosixCalls& calls)
{
    while (!bytes.isEmpty()) {
        const ssize_t written = retryInterrupted([&] { return calls.write(fd, bytes.data(), bytes.size()); });
        if (written <= 0)
            return false;
        bytes = bytes.sliced(written);
    }
    return true;
}

// Makes the rename of a file in it last.
bool flushFolder(const QByteArray& folder, const PosixCalls& calls)
{
    FileDescriptor fd(
        retryInterrupted([&] { return calls.open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0); }), calls);
    return fd.isValid() && retryInterrupted([&] { return calls.fsync(fd.get()); }) == 0 && fd.close() == 0;
}

} // namespace

void removeStoreLeftovers(const QString& storePath, const PosixCalls& calls)
{
    const QFileInfo store(storePath);
    const QString prefix = store.fileName() + u'.';
    const QStringList names = store.dir().entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString& name : names) {
        const QStringView suffix = QStringView(name).sliced(std::min(prefix.size(), name.size()));
        if (name.startsWith(prefix) && (isTemporarySuffix(suffix) || isPreviousCopyOfEndedProcess(suffix)))
            calls.unlink(QFile::encodeName(store.dir().filePath(name)).constData());
    }
}

bool replaceStoreFile(const QString& storePath, QByteArrayView bytes, const PosixCalls& calls)
{
    const QFileInfo info(storePath);
    // Through a symbolic link, as shared settings may be kept, the file it leads to is replaced.
    const QString target = info.exists() ? info.canonicalFilePath() : storePath;
    const QByteArray name = QFile::encodeName(target);
    struct stat old = {};
    const bool exists = retryInterrupted([&] { return calls.stat(name.constData(), &old); }) == 0;
    if (exists && (old.st_mode & AnyWriteBit) == 0)
        return false;

    const QByteArray temporary = name + '.' + temporarySuffix().toLatin1();
    FileDescriptor fd(retryInterrupted([&] {
                          return calls.open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
                      }),
                      calls);
    if (!fd.isValid())
        return false;
    bool written = writeAll(fd.get(), bytes, calls) && retryInterrupted([&] { return calls.fdatasync(fd.get()); }) == 0;
    if (written && exists) {
        written = calls.fchmod(fd.get(), old.st_mode & 07777) == 0;
        // Root saving a user's settings leaves them the user's; a failure costs only the owner.
        if (::geteuid() == 0 && (old.st_uid != 0 || old.st_gid != 0))
            calls.fchown(fd.get(), old.st_uid, old.st_gid);
    }
    written = fd.close() == 0 && written;
    if (!written || calls.rename(temporary.constData(), name.constData()) != 0) {
        calls.unlink(temporary.constData());
        return false;
    }
    return flushFolder(QFile::encodeName(QFileInfo(target).path()), calls);
}
