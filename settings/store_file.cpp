#include "store_file.h"

#include "file_descriptor.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace StoreFile {

namespace {

constexpr mode_t AnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr char NewSuffix[] = ".~cribaxon-new";
constexpr char CopySuffix[] = ".~cribaxon-copy";

using Attributes = std::vector<std::pair<std::string, std::string>>;

// What a file written over keeps.
struct Metadata
{
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
    nlink_t links = 0;
    Attributes attributes; // the ACL among them, as system.posix_acl_access
};

FileDescriptor openFile(const PosixCalls& calls, const QByteArray& name, int flags, mode_t mode = 0)
{
    return {retryInterrupted([&] { return calls.open(name.constData(), flags | O_CLOEXEC, mode); }), calls};
}

// The text of a list or a value of extended attributes; nothing where the file system has none to give.
template <typename Fetch> std::optional<std::string> fetched(Fetch&& fetch)
{
    for (;;) {
        const ssize_t size = fetch(nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP ? std::optional<std::string>("") : std::nullopt;
        std::string text(static_cast<std::size_t>(size), '\0');
        const ssize_t got = fetch(text.data(), text.size());
        if (got >= 0) {
            text.resize(static_cast<std::size_t>(got));
            return text;
        }
        // Grown meanwhile: ask again.
        if (errno != ERANGE)
            return std::nullopt;
    }
}

std::optional<Attributes> attributesOf(const PosixCalls& calls, int fd)
{
    const std::optional<std::string> names
        = fetched([&](char* buffer, std::size_t size) { return calls.flistxattr(fd, buffer, size); });
    if (!names)
        return std::nullopt;
    Attributes attributes;
    for (std::size_t at = 0; at < names->size();) {
        const std::string name = names->c_str() + at;
        at += name.size() + 1;
        const std::optional<std::string> value
            = fetched([&](char* buffer, std::size_t size) { return calls.fgetxattr(fd, name.c_str(), buffer, size); });
        if (!value)
            return std::nullopt;
        attributes.emplace_back(name, *value);
    }
    return attributes;
}

std::optional<Metadata> metadataOf(const PosixCalls& calls, int fd)
{
    struct stat status = {};
    if (retryInterrupted([&] { return calls.fstat(fd, &status); }) != 0)
        return std::nullopt;
    std::optional<Attributes> attributes = attributesOf(calls, fd);
    if (!attributes)
        return std::nullopt;
    return Metadata {status.st_mode & 07777, status.st_uid, status.st_gid, status.st_nlink, std::move(*attributes)};
}

// Gives the file fd what the file written over has: false where the system
// will not (another user's file, an attribute only root may set).
bool carry(const PosixCalls& calls, int fd, const Metadata& from)
{
    struct stat status = {};
    if (retryInterrupted([&] { return calls.fstat(fd, &status); }) != 0)
        return false;
    if ((status.st_uid != from.owner || status.st_gid != from.group) && calls.fchown(fd, from.owner, from.group) != 0)
        return false;
    const std::optional<Attributes> own = attributesOf(calls, fd);
    if (!own)
        return false;
    // What the new file got from its folder (a default ACL) and the old one had not.
    for (const auto& [name, value] : *own) {
        const bool kept = std::ranges::any_of(from.attributes, [&](const auto& old) { return old.first == name; });
        if (!kept && calls.fremovexattr(fd, name.c_str()) != 0)
            return false;
    }
    for (const auto& [name, value] : from.attributes) {
        if (calls.fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) != 0)
            return false;
    }
    // Last: an ACL set above sets the mode's group bits, which must be the old ones.
    return calls.fchmod(fd, from.mode) == 0;
}

bool writeAll(const PosixCalls& calls, int fd, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const ssize_t written = retryInterrupted([&] { return calls.write(fd, bytes.data(), bytes.size()); });
        if (written <= 0)
            return false;
        bytes = bytes.sliced(written);
    }
    return true;
}

bool flushed(const PosixCalls& calls, FileDescriptor& fd)
{
    const bool synced = retryInterrupted([&] { return calls.fdatasync(fd.get()); }) == 0;
    return fd.close() == 0 && synced;
}

QByteArray folderOf(const QByteArray& name)
{
    return QFile::encodeName(QFileInfo(QFile::decodeName(name)).path());
}

// Makes a name added to the folder, or taken from it, last.
bool flushFolder(const PosixCalls& calls, const QByteArray& name)
{
    FileDescriptor fd = openFile(calls, folderOf(name), O_RDONLY | O_DIRECTORY);
    return fd.isValid() && retryInterrupted([&] { return calls.fsync(fd.get()); }) == 0 && fd.close() == 0;
}

std::optional<QByteArray> readWhole(const PosixCalls& calls, const QByteArray& name)
{
    const FileDescriptor fd = openFile(calls, name, O_RDONLY);
    if (!fd.isValid())
        return std::nullopt;
    QByteArray bytes;
    char chunk[4096];
    for (;;) {
        const ssize_t count = retryInterrupted([&] { return calls.read(fd.get(), chunk, sizeof chunk); });
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            return bytes;
        bytes.append(chunk, count);
    }
}

// The same file with these bytes: written from its start and cut after them.
bool overwrite(const PosixCalls& calls, const QByteArray& name, QByteArrayView bytes)
{
    FileDescriptor fd = openFile(calls, name, O_WRONLY);
    return fd.isValid() && writeAll(calls, fd.get(), bytes)
        && retryInterrupted([&] { return calls.ftruncate(fd.get(), bytes.size()); }) == 0 && flushed(calls, fd);
}

bool writeInPlace(const PosixCalls& calls, const QByteArray& name, QByteArrayView bytes)
{
    const std::optional<QByteArray> old = readWhole(calls, name);
    if (!old)
        return false;
    const QByteArray copy = name + CopySuffix;
    calls.unlink(copy.constData());
    FileDescriptor fd = openFile(calls, copy, O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (!fd.isValid())
        return false;
    if (!writeAll(calls, fd.get(), *old) || !flushed(calls, fd) || !flushFolder(calls, copy)) {
        calls.unlink(copy.constData());
        return false;
    }
    if (!overwrite(calls, name, bytes)) {
        // Put back at once; else the next save does, from the copy.
        if (overwrite(calls, name, *old))
            calls.unlink(copy.constData());
        return false;
    }
    calls.unlink(copy.constData());
    return true;
}

enum class Replacement
{
    Done,
    Failed,
    CannotCarry,
};

Replacement replaceWithNew(const PosixCalls& calls, const QByteArray& name, QByteArrayView bytes, const Metadata* like)
{
    const QByteArray temporary = name + NewSuffix;
    calls.unlink(temporary.constData());
    // Its owner's alone until it has what the old file had.
    FileDescriptor fd = openFile(calls, temporary, O_WRONLY | O_CREAT | O_EXCL, like ? 0600 : 0666);
    if (!fd.isValid())
        return Replacement::Failed;
    if (like && !carry(calls, fd.get(), *like)) {
        fd.close();
        calls.unlink(temporary.constData());
        return Replacement::CannotCarry;
    }
    const bool written = writeAll(calls, fd.get(), bytes);
    if (!flushed(calls, fd) || !written || calls.rename(temporary.constData(), name.constData()) != 0) {
        calls.unlink(temporary.constData());
        return Replacement::Failed;
    }
    return flushFolder(calls, name) ? Replacement::Done : Replacement::Failed;
}

QByteArray targetOf(const QString& storePath)
{
    const QFileInfo info(storePath);
    // Through a symbolic link, as shared settings may be kept, the file it leads to.
    return QFile::encodeName(info.exists() ? info.canonicalFilePath() : storePath);
}

} // namespace

bool replace(const QString& storePath, QByteArrayView bytes, const PosixCalls& calls)
{
    const QByteArray name = targetOf(storePath);
    struct stat status = {};
    if (retryInterrupted([&] { return calls.stat(name.constData(), &status); }) != 0)
        return errno == ENOENT && replaceWithNew(calls, name, bytes, nullptr) == Replacement::Done;
    if ((status.st_mode & AnyWriteBit) == 0)
        return false;
    const FileDescriptor fd = openFile(calls, name, O_RDONLY);
    const std::optional<Metadata> metadata = fd.isValid() ? metadataOf(calls, fd.get()) : std::nullopt;
    if (!metadata)
        return false;
    // Another name of the file would keep the old bytes after a rename.
    if (metadata->links == 1) {
        const Replacement replaced = replaceWithNew(calls, name, bytes, &*metadata);
        if (replaced != Replacement::CannotCarry)
            return replaced == Replacement::Done;
    }
    return writeInPlace(calls, name, bytes);
}

bool create(const QString& path, QByteArrayView bytes, const PosixCalls& calls)
{
    const QByteArray name = QFile::encodeName(path);
    FileDescriptor fd = openFile(calls, name, O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (!fd.isValid())
        return false;
    const bool written = writeAll(calls, fd.get(), bytes);
    if (!flushed(calls, fd) || !written || !flushFolder(calls, name)) {
        calls.unlink(name.constData());
        return false;
    }
    return true;
}

bool wasCutShort(const QString& storePath)
{
    return QFileInfo::exists(QFile::decodeName(targetOf(storePath) + CopySuffix));
}

bool recover(const QString& storePath, const PosixCalls& calls)
{
    const QByteArray name = targetOf(storePath);
    calls.unlink((name + NewSuffix).constData());
    const QByteArray copy = name + CopySuffix;
    const std::optional<QByteArray> old = readWhole(calls, copy);
    if (!old)
        return errno == ENOENT;
    struct stat status = {};
    const bool restored = retryInterrupted([&] { return calls.stat(name.constData(), &status); }) == 0
        ? overwrite(calls, name, *old)
        : calls.rename(copy.constData(), name.constData()) == 0;
    if (restored)
        calls.unlink(copy.constData());
    return restored;
}

} // namespace StoreFile
