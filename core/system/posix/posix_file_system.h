#pragma once

#include "posix_calls.h"
#include "system_file.h"

#include <vector>

class PosixFile;

// What makes two names the same file: the device for device files (two nodes
// of one device are one file), the file system and inode for any other.
struct FileIdentity
{
    mode_t type = 0;
    dev_t device = 0;
    ino_t inode = 0;

    static FileIdentity of(const struct stat& status);
    bool operator==(const FileIdentity&) const = default;
};

// How much the line files move to and from the kernel at once, and how often
// a file is asked to start writing itself to its device.
struct TransferSizes
{
    std::size_t chunk = 128 * 1024;
    off_t writeBackStep = 2 * 1024 * 1024;
};

// Files of the running system. The sharing rule is kept twice: among the files
// of this file system by their identities, whatever their kind, or by their
// names where a file system that folds letter case tells no identity, and towards
// other programs with flock(2) on regular files (readers hold a shared lock,
// writers an exclusive one taken before the file is emptied). The locks are
// advisory: they bind this program (and every copy of it), not programs that
// write without asking. A destination that is the program's own standard
// output or error is refused too, unless that is a character device: nothing
// there can be overwritten.
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
    friend class PosixFile;

    std::int32_t codeForFailedOpen(int error, const std::string& name, bool reading) const;
    // Takes the sharing lock of a regular file; others pass unlocked.
    std::int32_t lock(int fd, const struct stat& status, int operation) const;
    bool holds(const FileIdentity& identity, bool writersOnly) const;
    // Whether a file held is the open file fd by another spelling of its name.
    bool holdsByName(int fd, bool writersOnly) const;
    bool isStandardOutputOrError(const FileIdentity& identity) const;

    const PosixCalls& m_calls;
    const TransferSizes m_sizes;
    std::vector<const PosixFile*> m_openFiles;
};
