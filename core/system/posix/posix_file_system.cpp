#include "posix_file_system.h"

#include "error_codes.h"
#include "in_out_error.h"
#include "posix_file.h"
#include "same_entry.h"

#include <algorithm>
#include <array>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int OpenFlags = O_CLOEXEC | O_NOCTTY;
constexpr mode_t NewFileMode = 0666;
constexpr mode_t AnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

FileKind kindOf(mode_t mode)
{
    if (S_ISCHR(mode))
        return FileKind::CharacterDevice;
    if (S_ISFIFO(mode) || S_ISSOCK(mode))
        return FileKind::Pipe;
    return FileKind::Disk;
}

OpenResult failure(std::int32_t code)
{
    return {nullptr, code};
}

std::string folderOf(const std::string& name)
{
    const auto slash = name.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : name.substr(0, slash);
}

} // namespace

FileIdentity FileIdentity::of(const struct stat& status)
{
    const mode_t type = status.st_mode & S_IFMT;
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
        return {type, status.st_rdev, 0};
    return {type, status.st_dev, status.st_ino};
}

std::int32_t PosixFileSystem::codeForFailedOpen(int error, const std::string& name, bool reading) const
{
    // open(2) gives EINVAL for a name that the file system does not allow.
    if (error == EINVAL)
        return InOutCode::InvalidName;
    if (error == ENOENT && reading) {
        struct stat folder = {};
        const std::string path = folderOf(name);
        if (retryInterrupted([&] { return m_calls.stat(path.c_str(), &folder); }) == 0 && S_ISDIR(folder.st_mode))
            return InOutCode::FileNotFound;
    }
    return codeForErrno(error);
}

bool PosixFileSystem::holds(const FileIdentity& identity, bool writersOnly) const
{
    return std::ranges::any_of(m_openFiles, [&](const PosixFile* file) {
        return file->identity() == identity && (!writersOnly || file->access() == PosixFile::Access::Write);
    });
}

bool PosixFileSystem::holdsByName(int fd, bool writersOnly) const
{
    std::string name;
    for (const PosixFile* file : m_openFiles) {
        if (writersOnly && file->access() != PosixFile::Access::Write)
            continue;
        if (name.empty())
            name = nameOfOpenFile(m_calls, fd);
        const std::string held = nameOfOpenFile(m_calls, file->descriptor());
        if (!name.empty() && !held.empty() && nameOneFile(m_calls, name, held))
            return true;
    }
    return false;
}

bool PosixFileSystem::isStandardOutputOrError(const FileIdentity& identity) const
{
    constexpr std::array StandardStreams {STDOUT_FILENO, STDERR_FILENO};
    return std::ranges::any_of(StandardStreams, [&](int fd) {
        struct stat status = {};
        return retryInterrupted([&] { return m_calls.fstat(fd, &status); }) == 0 && !S_ISCHR(status.st_mode)
            && FileIdentity::of(status) == identity;
    });
}

OpenResult PosixFileSystem::openForReading(const std::string& name)
{
    if (name.empty())
        return failure(InOutCode::PathNotFound);
    FileDescriptor fd(retryInterrupted([&] { return m_calls.open(name.c_str(), O_RDONLY | OpenFlags, 0); }), m_calls);
    if (!fd.isValid())
        return failure(codeForFailedOpen(errno, name, true));
    struct stat status = {};
    if (retryInterrupted([&] { return m_calls.fstat(fd.get(), &status); }) != 0)
        return failure(codeForErrno(errno));
    // Linux opens folders for reading; a folder is not a file to read.
    if (S_ISDIR(status.st_mode))
        return failure(InOutCode::AccessDenied);
    const FileIdentity identity = FileIdentity::of(status);
    if (holds(identity, true) || holdsByName(fd.get(), true))
        return failure(InOutCode::SharingViolation);
    if (const std::int32_t error = lock(fd.get(), status, LOCK_SH))
        return failure(error);
    return {
        std::make_unique<PosixFile>(std::move(fd), PosixFile::Access::Read, kindOf(status.st_mode), identity, *this),
        0};
}

OpenResult PosixFileSystem::createForWriting(const std::string& name)
{
    if (name.empty())
        return failure(InOutCode::PathNotFound);
    // Not O_TRUNC: an existing file is emptied only once it is known to be
    // neither read-only nor held, and its lock is taken.
    bool created = true;
    const auto openAs = [&](int flags) {
        return retryInterrupted([&] { return m_calls.open(name.c_str(), O_WRONLY | OpenFlags | flags, NewFileMode); });
    };
    int opened = openAs(O_CREAT | O_EXCL);
    if (opened < 0 && errno == EEXIST) {
        created = false;
        opened = openAs(0);
        // A symbolic link to a missing file: the file is made through it.
        if (opened < 0 && errno == ENOENT) {
            created = true;
            opened = openAs(O_CREAT);
        }
    }
    FileDescriptor fd(opened, m_calls);
    if (!fd.isValid())
        return failure(codeForFailedOpen(errno, name, false));
    struct stat status = {};
    if (retryInterrupted([&] { return m_calls.fstat(fd.get(), &status); }) != 0)
        return failure(codeForErrno(errno));
    // Read-only for whoever runs the program, root included (who would pass
    // the permission check); a file just made under a strict umask is not.
    if (!created && (status.st_mode & AnyWriteBit) == 0)
        return failure(InOutCode::AccessDenied);
    const FileIdentity identity = FileIdentity::of(status);
    // A file just made is no file held, whatever its name.
    if (holds(identity, false) || isStandardOutputOrError(identity) || (!created && holdsByName(fd.get(), false)))
        return failure(InOutCode::SharingViolation);
    if (const std::int32_t error = lock(fd.get(), status, LOCK_EX))
        return failure(error);
    if (!created && S_ISREG(status.st_mode) && retryInterrupted([&] { return m_calls.ftruncate(fd.get(), 0); }) != 0)
        return failure(codeForErrno(errno));
    return {
        std::make_unique<PosixFile>(std::move(fd), PosixFile::Access::Write, kindOf(status.st_mode), identity, *this),
        0};
}

std::int32_t PosixFileSystem::lock(int fd, const struct stat& status, int operation) const
{
    if (!S_ISREG(status.st_mode))
        return 0;
    if (retryInterrupted([&] { return m_calls.flock(fd, operation | LOCK_NB); }) == 0)
        return 0;
    return errno == EWOULDBLOCK ? InOutCode::SharingViolation : codeForErrno(errno);
}
