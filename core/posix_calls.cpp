#include "posix_calls.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

const PosixCalls& PosixCalls::system()
{
    static const PosixCalls calls {
        [](const char* name, int flags, mode_t mode) { return ::open(name, flags, mode); },
        ::stat,
        ::fstat,
        ::flock,
        ::ftruncate,
        ::read,
        ::write,
        ::sync_file_range,
        ::fdatasync,
        ::fsync,
        ::close,
        ::readlink,
        ::statfs,
        [](int fd, unsigned long request, int* argument) { return ::ioctl(fd, request, argument); },
        ::fchmod,
        ::fchown,
        ::rename,
        ::unlink,
    };
    return calls;
}
