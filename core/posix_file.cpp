#include "posix_file.h"

#include "error_codes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

PosixFile::PosixFile(FileDescriptor fd, Access access, FileKind kind, const PosixCalls& calls)
    : m_fd(std::move(fd))
    , m_kind(kind)
    , m_calls(calls)
    // A device or a pipe gets its bytes when the line files hand them over.
    , m_gathersWrites(access == Access::Write && kind == FileKind::Disk)
{ }

ReadResult PosixFile::read(std::span<std::byte> buffer)
{
    if (m_begin == m_end) {
        if (m_chunk.empty())
            m_chunk.resize(PosixFileSystem::ChunkSize);
        m_begin = m_end = 0;
        ssize_t count;
        do
            count = m_calls.read(m_fd.get(), m_chunk.data(), m_chunk.size());
        while (count < 0 && errno == EINTR);
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
        m_chunk.resize(PosixFileSystem::ChunkSize);
    if (m_end + bytes.size() > m_chunk.size()) {
        if (const std::int32_t error = flush())
            return error;
        if (bytes.size() >= m_chunk.size())
            return writeAll(bytes);
    }
    std::memcpy(m_chunk.data() + m_end, bytes.data(), bytes.size());
    m_end += bytes.size();
    return 0;
}

std::int32_t PosixFile::close()
{
    const std::int32_t flushError = m_gathersWrites ? flush() : 0;
    // Never retried: after EINTR the descriptor is already gone.
    const int result = m_calls.close(m_fd.release());
    const std::int32_t closeError = result == 0 || errno == EINTR ? 0 : codeForErrno(errno);
    return flushError ? flushError : closeError;
}

std::int32_t PosixFile::flush()
{
    const std::size_t waiting = m_end;
    m_end = 0; // the bytes are gone whether the write succeeds or not
    return writeAll({m_chunk.data(), waiting});
}

std::int32_t PosixFile::writeAll(std::span<const std::byte> bytes)
{
    while (!bytes.empty()) {
        const ssize_t count = m_calls.write(m_fd.get(), bytes.data(), bytes.size());
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return codeForErrno(errno);
        }
        if (count == 0)
            return codeForErrno(EIO);
        bytes = bytes.subspan(static_cast<std::size_t>(count));
    }
    return 0;
}
