#pragma once

#include "file_facts.h"
#include "open_files.h"
#include "posix_calls.h"
#include "posix_file.h"
#include "system_file.h"

// Files of the running system. The sharing rule is kept twice: among the files
// of this file system, by what the system says of the open files (same_file.h),
// whatever their kind; and towards other programs with flock(2) on regular files
// (readers hold a shared lock, writers an exclusive one taken before the file is
// emptied). The locks are advisory: they bind this program (and every copy of
// it), not programs that write without asking. The program's own standard
// output and error count as held for writing, unless they are character
// devices: nothing there can be overwritten.
//
// The line files read any file, and write an ordinary one, in transfers of
// many blocks (the kernel reads ahead and gathers the writes to such files in
// any case); a device or a pipe that is written gets each block. close()
// flushes a written file to its device first. The kernel is asked to start
// that write-back as the file grows, so that the device works while the
// program does, and little is left for close().
class PosixFileSystem final : public FileSystem
{
public:
    explicit PosixFileSystem(const PosixCalls& calls, TransferSizes sizes = {})
        : m_calls(calls)
        , m_sizes(sizes)
    { }
    PosixFileSystem(const PosixFileSystem&) = delete;
    PosixFileSystem& operator=(const PosixFileSystem&) = delete;

    OpenResult openForReading(const std::string& name) override;
    OpenResult createForWriting(const std::string& name) override;

private:
    std::int32_t codeForFailedOpen(int error, const std::string& name, bool reading) const;
    // Takes the sharing lock of a regular file; others pass unlocked.
    std::int32_t lock(int fd, const FileFacts& facts, int operation) const;
    // SharingViolation when the open file fd is one that this program writes,
    // or also reads unless writersOnly; the code of a failed inquiry; or 0.
    std::int32_t sharingCode(int fd, const FileFacts& facts, bool writersOnly) const;
    bool isOneFile(int fd, const FileFacts& facts, int other, const FileFacts& otherFacts) const;

    const PosixCalls& m_calls;
    const TransferSizes m_sizes;
    OpenFiles m_openFiles;
};
