#pragma once

#include "posix_calls.h"

// Owns one open file descriptor; closing it in the destructor never reports.
class FileDescriptor final
{
public:
    FileDescriptor(int fd, const PosixCalls& calls)
        : m_fd(fd)
        , m_calls(&calls)
    { }
    FileDescriptor(FileDescriptor&& other) noexcept
        : m_fd(other.release())
        , m_calls(other.m_calls)
    { }
    FileDescriptor& operator=(FileDescriptor&&) = delete;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor();

    int get() const noexcept { return m_fd; }
    const PosixCalls& calls() const noexcept { return *m_calls; }
    bool isValid() const noexcept { return m_fd >= 0; }
    int release() noexcept;
    // Closes now; returns 0 or errno. Never retried: after EINTR the descriptor is gone.
    int close() noexcept;

private:
    int m_fd = -1;
    const PosixCalls* m_calls;
};
