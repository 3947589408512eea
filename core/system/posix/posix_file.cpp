#include "posix_file.h"

#include "error_codes.h"

#include <algorithm>
#include <fcntl.h>

PosixFile::PosixFile(FileDescriptor fd, Access access, FileKind kind, TransferSizes sizes, OpenFiles& openFiles)
    : m_fd(std::move(fd))
    , m_access(access)
    , m_kind(kind)
    , m_sizes(sizes)
    , m_calls(m_fd.calls())
    , m_held(openFiles, {m_fd.get(), access})
{ }

// A device or a pipe that is written gets each block of the line files as it
// is full, and a character device each line as it ends.
std::size_t PosixFile::transferSize()
{
    return m_access == Access::Read || m_kind == FileKind::Disk ? m_sizes.chunk : 0;
}

ReadResult PosixFile::read(std::span<std::byte> buffer)
{
    const ssize_t count = retryInterrupted([&] { return m_calls.read(m_fd.get(), buffer.data(), buffer.size()); });
    if (count < 0)
        return {0, codeForErrno(errno)};
    return {static_cast<std::size_t>(count), 0};
}

std::int32_t PosixFile::write(std::span<const std::byte> bytes)
{
    if (const std::int32_t error = writeAll(bytes))
        return error;
    m_written += static_cast<off_t>(bytes.size());
    if (m_kind == FileKind::Disk && m_written - m_writeBackFrom >= m_sizes.writeBackStep)
        startWriteBack();
    return 0;
}

std::int32_t PosixFile::close()
{
    std::int32_t error = m_access == Access::Write ? syncToDevice() : 0;
    if (const int closeError = m_fd.close(); closeError && !error)
        error = codeForErrno(closeError);
    m_held.release();
    return error;
}

// What the program reports as written must be on the device, not only in the
// kernel's cache, and a failure of the write-back must reach the user.
std::int32_t PosixFile::syncToDevice()
{
    if (retryInterrupted([&] { return m_calls.fdatasync(m_fd.get()); }) == 0)
        return 0;
    // Pipes and character devices keep nothing to flush.
    return errno == EINVAL || errno == EROFS ? 0 : codeForErrno(errno);
}

// Only a request: if it fails, the flush at close still writes the bytes and
// reports any failure of the write-back.
void PosixFile::startWriteBack()
{
    retryInterrupted([&] {
        return m_calls.syncFileRange(m_fd.get(), m_writeBackFrom, m_written - m_writeBackFrom, SYNC_FILE_RANGE_WRITE);
    });
    m_writeBackFrom = m_written;
}

std::int32_t PosixFile::writeAll(std::span<const std::byte> bytes)
{
    while (!bytes.empty()) {
        const ssize_t count = retryInterrupted([&] { return m_calls.write(m_fd.get(), bytes.data(), bytes.size()); });
        if (count < 0)
            return codeForErrno(errno);
        if (count == 0)
            return codeForErrno(EIO);
        bytes = bytes.subspan(static_cast<std::size_t>(count));
    }
    return 0;
}
