#include "posix_calls.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

const PosixCalls& PosixCalls::system()
{
    static const PosixCalls calls {
        .open = [](const char* name, int flags, mode_t mode) { return ::open(name, flags, mode); },
        .stat = ::stat,
        .fstat = ::fstat,
        .flock = ::flock,
        .ftruncate = ::ftruncate,
        .read = ::read,
        .write = ::write,
        .syncFileRange = ::sync_file_range,
        .fdatasync = ::fdatasync,
        .fsync = ::fsync,
        .close = ::close,
        .readlink = ::readlink,
        .statfs = ::statfs,
        .ioctl = [](int fd, unsigned long request, int* argument) { return ::ioctl(fd, request, argument); },
        .fchmod = ::fchmod,
        .fchown = ::fchown,
        .rename = ::rename,
        .unlink = ::unlink,
    };
    return calls;
}
