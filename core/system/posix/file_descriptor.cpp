#include "file_descriptor.h"

FileDescriptor::~FileDescriptor()
{
    close();
}

int FileDescriptor::release() noexcept
{
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

int FileDescriptor::close() noexcept
{
    if (m_fd < 0)
        return 0;
    const int result = m_calls->close(release());
    return result == 0 || errno == EINTR ? 0 : errno;
}
