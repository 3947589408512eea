#include "standard_descriptors.h"

#include <array>
#include <fcntl.h>
#include <unistd.h>

void openClosedStandardDescriptors(const PosixCalls& calls)
{
    for (const int fd : std::array {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (calls.fcntl(fd, F_GETFD, 0) >= 0 || errno != EBADF)
            continue;
        // The lowest free number is fd's own: those below it are open by now.
        const int access = fd == STDIN_FILENO ? O_WRONLY : O_RDONLY;
        const int opened = retryInterrupted([&] { return calls.open("/dev/null", access | O_NOCTTY, 0); });
        // Without the null device nothing can stand in; the file the program opens may then take it.
        if (opened >= 0 && opened != fd)
            calls.close(opened);
    }
}
