#pragma once

#include "system_file.h"

#include <sys/types.h>

// The system calls the POSIX file system moves data with; tests replace them
// to make any call fail, return short or report a chosen error.
struct PosixCalls
{
    ssize_t (*read)(int fd, void* buffer, size_t count);
    ssize_t (*write)(int fd, const void* buffer, size_t count);
    int (*close)(int fd);

    static const PosixCalls& system();
};

// Files of the running system. The sharing rule is kept with flock(2) on
// regular files: readers hold a shared lock, writers an exclusive one taken
// before the file is emptied. The locks are advisory: they bind this program
// (and every copy of it), not programs that write without asking.
//
// The line files move data in small blocks; this layer talks to the kernel in
// large ones: it reads ahead and gathers the writes to ordinary files. A
// failure of a gathered write comes back from the write that flushes it, at
// the latest from close().
class PosixFileSystem final : public FileSystem
{
public:
    static constexpr std::size_t ChunkSize = 64 * 1024;

    explicit PosixFileSystem(const PosixCalls& calls = PosixCalls::system())
        : m_calls(calls)
    { }

    OpenResult openForReading(const std::string& name) override;
    OpenResult createForWriting(const std::string& name) override;

private:
    const PosixCalls& m_calls;
};
