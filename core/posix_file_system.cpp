#include "posix_file_system.h"

#include "error_codes.h"
#include "in_out_error.h"
#include "posix_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

template <typename Call> auto retryInterrupted(Call call)
{
    decltype(call()) result;
    do
        result = call();
    while (result < 0 && errno == EINTR);
    return result;
}

FileKind kindOf(mode_t mode)
{
    if (S_ISCHR(mode))
        return FileKind::CharacterDevice;
    if (S_ISFIFO(mode) || S_ISSOCK(mode))
        return FileKind::Pipe;
    return FileKind::Disk;
}

// Takes the sharing lock of a regular file; others pass unlocked.
std::int32_t lock(int fd, const struct stat& st, int operation)
{
    if (!S_ISREG(st.st_mode))
        return 0;
    if (retryInterrupted([&] { return ::flock(fd, operation | LOCK_NB); }) == 0)
        return 0;
    return errno == EWOULDBLOCK ? InOutCode::SharingViolation : codeForErrno(errno);
}

OpenResult failure(std::int32_t code)
{
    return {nullptr, code};
}

} // namespace

const PosixCalls& PosixCalls::system()
{
    static const PosixCalls calls {::read, ::write, ::close};
    return calls;
}

OpenResult PosixFileSystem::openForReading(const std::string& name)
{
    if (name.empty())
        return failure(InOutCode::PathNotFound);
    FileDescriptor fd(retryInterrupted([&] { return ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY); }));
    if (!fd.isValid())
        return failure(codeForErrno(errno, PathOperation::Open, name));
    struct stat st
    {
    };
    if (::fstat(fd.get(), &st) != 0)
        return failure(codeForErrno(errno));
    // Linux opens folders for reading; a folder is not a file to read.
    if (S_ISDIR(st.st_mode))
        return failure(InOutCode::AccessDenied);
    if (const std::int32_t error = lock(fd.get(), st, LOCK_SH))
        return failure(error);
    return {std::make_unique<PosixFile>(std::move(fd), PosixFile::Access::Read, kindOf(st.st_mode), m_calls), 0};
}

OpenResult PosixFileSystem::createForWriting(const std::string& name)
{
    if (name.empty())
        return failure(InOutCode::PathNotFound);
    // Not O_TRUNC: the file is emptied only once its lock is held, so a file
    // that a reader holds keeps its contents.
    FileDescriptor fd(
        retryInterrupted([&] { return ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666); }));
    if (!fd.isValid())
        return failure(codeForErrno(errno, PathOperation::Create, name));
    struct stat st
    {
    };
    if (::fstat(fd.get(), &st) != 0)
        return {std::make_unique<PosixFile>(std::move(fd), PosixFile::Access::Write, FileKind::Unknown, m_calls), 0};
    if (const std::int32_t error = lock(fd.get(), st, LOCK_EX))
        return failure(error);
    if (S_ISREG(st.st_mode) && retryInterrupted([&] { return ::ftruncate(fd.get(), 0); }) != 0)
        return failure(codeForErrno(errno));
    return {std::make_unique<PosixFile>(std::move(fd), PosixFile::Access::Write, kindOf(st.st_mode), m_calls), 0};
}

FileSystem& systemFileSystem()
{
    static PosixFileSystem fileSystem;
    return fileSystem;
}
