#pragma once

#include "system_file.h"
#include "windows_handle.h"

// One open file of WindowsFileSystem.
class WindowsFile final : public SystemFile
{
public:
    enum class Access
    {
        Read,
        Write,
    };

    WindowsFile(WindowsHandle handle, Access access, FileKind kind, std::size_t chunk);
    WindowsFile(const WindowsFile&) = delete;
    WindowsFile& operator=(const WindowsFile&) = delete;

    FileKind kind() override { return m_kind; }
    std::size_t transferSize() override;
    ReadResult read(std::span<std::byte> buffer) override;
    std::int32_t write(std::span<const std::byte> bytes) override;
    std::int32_t close() override;

private:
    WindowsHandle m_handle;
    Access m_access;
    FileKind m_kind;
    std::size_t m_chunk;
    const WindowsCalls& m_calls;
};
