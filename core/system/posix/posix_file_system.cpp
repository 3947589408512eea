#include "posix_file_system.h"

#include "error_codes.h"
#include "in_out_error.h"
#include "posix_file.h"

#include <algorithm>
#include <fcntl.h>
#include <initializer_list>
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

bool PosixFileSystem::isOneFile(int fd, const FileFacts& facts, int other, const FileFacts& otherFacts) const
{
    switch (sameFile(facts, otherFacts)) {
    case SameFile::Yes:
        return true;
    case SameFile::IfSameContents:
        return sameContents(m_calls, fd, other);
    case SameFile::No:
        break;
    }
    return false;
}

std::int32_t PosixFileSystem::sharingCode(int fd, const FileFacts& facts, bool writersOnly) const
{
    for (const OpenFiles::Held& held : m_openFiles.held()) {
        if (writersOnly && held.access != OpenFiles::Access::Write)
            continue;
        const std::optional<FileFacts> heldFacts = factsOf(m_calls, held.fd);
        if (!heldFacts)
            return codeForErrno(errno);
        if (isOneFile(fd, facts, held.fd, *heldFacts))
            return InOutCode::SharingViolation;
    }
    // Written over from position 0 while the program writes its messages there,
    // or read while they are added to it; a closed one is nobody's.
    for (const int stream : {STDOUT_FILENO, STDERR_FILENO}) {
        const std::optional<FileFacts> streamFacts = factsOf(m_calls, stream);
        if (streamFacts && !S_ISCHR(streamFacts->identity.type) && isOneFile(fd, facts, stream, *streamFacts))
            return InOutCode::SharingViolation;
    }
    return 0;
}

OpenResult PosixFileSystem::openForReading(const std::string& name)
{
    if (name.empty())
        return failure(InOutCode::PathNotFound);
    FileDescriptor fd(retryInterrupted([&] { return m_calls.open(name.c_str(), O_RDONLY | OpenFlags, 0); }), m_calls);
    if (!fd.isValid())
        return failure(codeForFailedOpen(errno, name, true));
    const std::optional<FileFacts> facts = factsOf(m_calls, fd.get());
    if (!facts)
        return failure(codeForErrno(errno));
    // Linux opens folders for reading; a folder is not a file to read.
    if (S_ISDIR(facts->identity.type))
        return failure(InOutCode::AccessDenied);
    if (const std::int32_t error = sharingCode(fd.get(), *facts, true))
        return failure(error);
    if (const std::int32_t error = lock(fd.get(), *facts, LOCK_SH))
        return failure(error);
    const FileKind kind = kindOf(facts->identity.type);
    return {std::make_unique<PosixFile>(std::move(fd), PosixFile::Access::Read, kind, m_sizes, m_openFiles), 0};
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
    const std::optional<FileFacts> facts = factsOf(m_calls, fd.get());
    if (!facts)
        return failure(codeForErrno(errno));
    // A file just made is no file held, whatever the system says of it.
    if (const std::int32_t error = created ? 0 : sharingCode(fd.get(), *facts, false))
        return failure(error);
    if (const std::int32_t error = lock(fd.get(), *facts, LOCK_EX))
        return failure(error);
    if (!created && S_ISREG(status.st_mode) && retryInterrupted([&] { return m_calls.ftruncate(fd.get(), 0); }) != 0)
        return failure(codeForErrno(errno));
    const FileKind kind = kindOf(facts->identity.type);
    return {std::make_unique<PosixFile>(std::move(fd), PosixFile::Access::Write, kind, m_sizes, m_openFiles), 0};
}

std::int32_t PosixFileSystem::lock(int fd, const FileFacts& facts, int operation) const
{
    if (!S_ISREG(facts.identity.type))
        return 0;
    if (retryInterrupted([&] { return m_calls.flock(fd, operation | LOCK_NB); }) == 0)
        return 0;
    return errno == EWOULDBLOCK ? InOutCode::SharingViolation : codeForErrno(errno);
}
