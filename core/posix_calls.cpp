#include "posix_calls.h"

#include <fcntl.h>
#include <sys/file.h>
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
        ::close,
    };
    return calls;
}
