#pragma once

// Owns one open file descriptor; closing it in the destructor never reports.
class FileDescriptor final
{
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    { }
    FileDescriptor(FileDescriptor&& other) noexcept
        : m_fd(other.release())
    { }
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor();

    int get() const noexcept { return m_fd; }
    bool isValid() const noexcept { return m_fd >= 0; }
    int release() noexcept;
    // Closes now; returns 0 or errno. Never retried: after EINTR the descriptor is gone.
    int close() noexcept;

private:
    int m_fd = -1;
};
