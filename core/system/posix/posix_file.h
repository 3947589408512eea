#pragma once

#include "file_descriptor.h"
#include "open_files.h"
#include "posix_calls.h"
#include "system_file.h"

// How much the line files move to and from the kernel at once, and how often
// a file is asked to start writing itself to its device.
struct TransferSizes
{
    std::size_t chunk = 128 * 1024;
    off_t writeBackStep = 2 * 1024 * 1024;
};

// One open file of PosixFileSystem, known to it as held while it is open.
class PosixFile final : public SystemFile
{
public:
    using Access = OpenFiles::Access;

    PosixFile(FileDescriptor fd, Access access, FileKind kind, TransferSizes sizes, OpenFiles& openFiles);
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    FileKind kind() override { return m_kind; }
    std::size_t transferSize() override;
    ReadResult read(std::span<std::byte> buffer) override;
    std::int32_t write(std::span<const std::byte> bytes) override;
    std::int32_t close() override;

private:
    std::int32_t writeAll(std::span<const std::byte> bytes);
    void startWriteBack();
    std::int32_t syncToDevice();

    FileDescriptor m_fd;
    Access m_access;
    FileKind m_kind;
    TransferSizes m_sizes;
    const PosixCalls& m_calls;
    OpenFiles::Registration m_held;
    off_t m_written = 0; // bytes written so far
    off_t m_writeBackFrom = 0; // where the write-back not yet asked for begins
};
