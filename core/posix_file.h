#pragma once

#include "file_descriptor.h"
#include "posix_file_system.h"
#include "system_file.h"

#include <vector>

// One open file of PosixFileSystem, with its read-ahead or write-gathering chunk.
class PosixFile final : public SystemFile
{
public:
    enum class Access
    {
        Read,
        Write,
    };

    PosixFile(FileDescriptor fd, Access access, FileKind kind, const PosixCalls& calls);

    FileKind kind() override { return m_kind; }
    ReadResult read(std::span<std::byte> buffer) override;
    std::int32_t write(std::span<const std::byte> bytes) override;
    std::int32_t close() override;

private:
    std::int32_t writeAll(std::span<const std::byte> bytes);
    std::int32_t flush();

    FileDescriptor m_fd;
    FileKind m_kind;
    const PosixCalls& m_calls;
    bool m_gathersWrites;
    std::vector<std::byte> m_chunk;
    std::size_t m_begin = 0; // read-ahead: next unread byte
    std::size_t m_end = 0; // read-ahead: valid bytes; write gathering: bytes waiting
};
