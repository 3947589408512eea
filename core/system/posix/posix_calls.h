#pragma once

#include <cerrno>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/vfs.h>

// Every system call of the POSIX file layer, so that tests can make any of
// them fail, come back short or report a chosen error.
struct PosixCalls
{
    int (*open)(const char* name, int flags, mode_t mode);
    int (*stat)(const char* name, struct stat* status);
    int (*fstat)(int fd, struct stat* status);
    int (*statx)(int folder, const char* name, int flags, unsigned int mask, struct statx* status);
    int (*fstatfs)(int fd, struct statfs* status);
    // Only the commands whose argument is an int, such as F_GETFD.
    int (*fcntl)(int fd, int command, int argument);
    int (*flock)(int fd, int operation);
    int (*ftruncate)(int fd, off_t length);
    ssize_t (*read)(int fd, void* buffer, size_t count);
    ssize_t (*write)(int fd, const void* buffer, size_t count);
    int (*syncFileRange)(int fd, off_t offset, off_t count, unsigned int flags);
    int (*fdatasync)(int fd);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*fchmod)(int fd, mode_t mode);
    int (*fchown)(int fd, uid_t owner, gid_t group);
    ssize_t (*flistxattr)(int fd, char* names, size_t size);
    ssize_t (*fgetxattr)(int fd, const char* name, void* value, size_t size);
    int (*fsetxattr)(int fd, const char* name, const void* value, size_t size, int flags);
    int (*fremovexattr)(int fd, const char* name);
    int (*rename)(const char* from, const char* to);
    int (*unlink)(const char* name);

    static const PosixCalls& system();
};

// Repeats a call that a signal interrupted. Not for close: after EINTR the
// descriptor is already gone, and another close could release someone else's.
template <typename Call> auto retryInterrupted(Call call)
{
    decltype(call()) result;
    do
        result = call();
    while (result < 0 && errno == EINTR);
    return result;
}
