#include "posix_calls.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/xattr.h>
#include <unistd.h>

const PosixCalls& PosixCalls::system()
{
    static const PosixCalls calls {
        .open = [](const char* name, int flags, mode_t mode) { return ::open(name, flags, mode); },
        .stat = ::stat,
        .fstat = ::fstat,
        .statx = ::statx,
        .fstatfs = ::fstatfs,
        .fcntl = [](int fd, int command, int argument) { return ::fcntl(fd, command, argument); },
        .flock = ::flock,
        .ftruncate = ::ftruncate,
        .read = ::read,
        .write = ::write,
        .syncFileRange = ::sync_file_range,
        .fdatasync = ::fdatasync,
        .fsync = ::fsync,
        .close = ::close,
        .fchmod = ::fchmod,
        .fchown = ::fchown,
        .flistxattr = ::flistxattr,
        .fgetxattr = ::fgetxattr,
        .fsetxattr = ::fsetxattr,
        .fremovexattr = ::fremovexattr,
        .rename = ::rename,
        .unlink = ::unlink,
    };
    return calls;
}
