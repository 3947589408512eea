#include "windows_file.h"

#include <algorithm>

namespace {

// ReadFile and WriteFile count in a DWORD.
DWORD transferable(std::size_t count)
{
    return static_cast<DWORD>(std::min<std::size_t>(count, MAXDWORD));
}

} // namespace

WindowsFile::WindowsFile(WindowsHandle handle, Access access, FileKind kind, std::size_t chunk)
    : m_handle(std::move(handle))
    , m_access(access)
    , m_kind(kind)
    , m_chunk(chunk)
    , m_calls(m_handle.calls())
{ }

// A device or a pipe that is written gets each block of the line files as it
// is full, and a character device each line as it ends.
std::size_t WindowsFile::transferSize()
{
    return m_access == Access::Read || m_kind == FileKind::Disk ? m_chunk : 0;
}

ReadResult WindowsFile::read(std::span<std::byte> buffer)
{
    DWORD count = 0;
    if (!m_calls.readFile(m_handle.get(), buffer.data(), transferable(buffer.size()), &count))
        return {0, failureCode(m_calls)};
    return {count, 0};
}

// Every byte, or a failure: a write that takes fewer would lose the rest unseen.
std::int32_t WindowsFile::write(std::span<const std::byte> bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!m_calls.writeFile(m_handle.get(), bytes.data(), transferable(bytes.size()), &written))
            return failureCode(m_calls);
        if (written == 0)
            return ERROR_WRITE_FAULT;
        bytes = bytes.subspan(std::min<std::size_t>(written, bytes.size()));
    }
    return 0;
}

// What the program reports as written must be on the disk, and a failure to
// put it there must reach the user. Devices and pipes keep nothing to flush
// (the null device refuses), and a pipe would wait for its reader.
std::int32_t WindowsFile::close()
{
    std::int32_t error = 0;
    if (m_access == Access::Write && m_kind == FileKind::Disk && !m_calls.flushFileBuffers(m_handle.get()))
        error = failureCode(m_calls);
    if (const std::int32_t closeError = m_handle.close(); closeError && !error)
        error = closeError;
    return error;
}
