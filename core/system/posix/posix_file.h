#pragma once

#include "file_descriptor.h"
#include "posix_file_system.h"
#include "system_file.h"

// One open file of PosixFileSystem. While open it is known to its file system
// by its identity.
class PosixFile final : public SystemFile
{
public:
    enum class Access
    {
        Read,
        Write,
    };

    PosixFile(FileDescriptor fd, Access access, FileKind kind, FileIdentity identity, PosixFileSystem& fileSystem);
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;
    ~PosixFile() override;

    FileKind kind() override { return m_kind; }
    std::size_t transferSize() override;
    ReadResult read(std::span<std::byte> buffer) override;
    std::int32_t write(std::span<const std::byte> bytes) override;
    std::int32_t close() override;

    Access access() const noexcept { return m_access; }
    int descriptor() const noexcept { return m_fd.get(); }
    const FileIdentity& identity() const noexcept { return m_identity; }

private:
    std::int32_t writeAll(std::span<const std::byte> bytes);
    void startWriteBack();
    std::int32_t syncToDevice();
    void forget();

    FileDescriptor m_fd;
    Access m_access;
    FileKind m_kind;
    FileIdentity m_identity;
    PosixFileSystem& m_fileSystem;
    const PosixCalls& m_calls;
    off_t m_written = 0; // bytes written so far
    off_t m_writeBackFrom = 0; // where the write-back not yet asked for begins
};
