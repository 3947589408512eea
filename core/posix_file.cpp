#include "posix_file.h"

#include "error_codes.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>

PosixFile::PosixFile(FileDescriptor fd, Access access, FileKind kind, FileIdentity identity,
                     PosixFileSystem& fileSystem)
    : m_fd(std::move(fd))
    , m_access(access)
    , m_kind(kind)
    , m_identity(identity)
    , m_fileSystem(fileSystem)
    , m_calls(fileSystem.m_calls)
    // A device or a pipe gets its bytes when the line files hand them over.
    , m_gathersWrites(access == Access::Write && kind == FileKind::Disk)
{
    m_fileSystem.m_openFiles.push_back(this);
}

PosixFile::~PosixFile()
{
    forget();
}

void PosixFile::forget()
{
    std::erase(m_fileSystem.m_openFiles, this);
}

ReadResult PosixFile::read(std::span<std::byte> buffer)
{
    if (m_begin == m_end) {
        if (m_chunk.empty())
            m_chunk.resize(m_fileSystem.m_sizes.chunk);
        m_begin = m_end = 0;
        const ssize_t count
            = retryInterrupted([&] { return m_calls.read(m_fd.get(), m_chunk.data(), m_chunk.size()); });
        if (count < 0)
            return {0, codeForErrno(errno)};
        m_end = static_cast<std::size_t>(count);
    }
    const std::size_t count = std::min(buffer.size(), m_end - m_begin);
    std::memcpy(buffer.data(), m_chunk.data() + m_begin, count);
    m_begin += count;
    return {count, 0};
}

std::int32_t PosixFile::write(std::span<const std::byte> bytes)
{
    if (!m_gathersWrites)
        return writeAll(bytes);
    if (m_chunk.empty())
        m_chunk.resize(m_fileSystem.m_sizes.chunk);
    if (m_end + bytes.size() > m_chunk.size()) {
        if (const std::int32_t error = flush())
            return error;
        if (bytes.size() >= m_chunk.size())
            return writeGathered(bytes);
    }
    std::memcpy(m_chunk.data() + m_end, bytes.data(), bytes.size());
    m_end += bytes.size();
    return 0;
}

std::int32_t PosixFile::close()
{
    std::int32_t error = 0;
    if (m_access == Access::Write) {
        error = m_gathersWrites ? flush() : 0;
        if (!error)
            error = syncToDevice();
    }
    if (const int closeError = m_fd.close(); closeError && !error)
        error = codeForErrno(closeError);
    forget();
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

std::int32_t PosixFile::flush()
{
    const std::size_t waiting = m_end;
    m_end = 0; // the bytes are gone whether the write succeeds or not
    return writeGathered({m_chunk.data(), waiting});
}

std::int32_t PosixFile::writeGathered(std::span<const std::byte> bytes)
{
    if (const std::int32_t error = writeAll(bytes))
        return error;
    m_written += static_cast<off_t>(bytes.size());
    if (m_written - m_writeBackFrom >= m_fileSystem.m_sizes.writeBackStep) {
        // Only a request: if it fails, the flush at close still writes the
        // bytes and reports any failure of the write-back.
        retryInterrupted([&] {
            return m_calls.syncFileRange(m_fd.get(), m_writeBackFrom, m_written - m_writeBackFrom,
                                         SYNC_FILE_RANGE_WRITE);
        });
        m_writeBackFrom = m_written;
    }
    return 0;
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
