#pragma once

#include <cstdint>
#include <sys/types.h>
#include <vector>

// What makes two open files one for the kernel: the device for device files
// (two nodes of one device are one file), the file system and inode for any other.
struct FileIdentity
{
    mode_t type = 0;
    dev_t device = 0;
    ino_t inode = 0;

    bool operator==(const FileIdentity&) const = default;
};

// What the system says about one open file; no name plays a part.
struct FileFacts
{
    FileIdentity identity;
    // FUSE gives no such promise: exFAT through FUSE gives one file an inode
    // for each spelling of its name, and a mirror such as bindfs shows the
    // files of another file system again on a device of its own.
    bool onFuse = false;
    // The devices whose files this file's FUSE file system shows again, and
    // theirs in turn: those it was mounted from.
    std::vector<dev_t> mirroredDevices;
    std::uint64_t size = 0;
    std::int64_t modifiedSecond = 0;
};

enum class SameFile
{
    No,
    Yes,
    // Where identities cannot be trusted: one file when the bytes are the same.
    IfSameContents,
};

// Whether writing one of two open files would change the other. Two files
// that FUSE may show as one count as one only when their sizes, their times
// of change (to the 2 seconds of FAT's clock) and then their bytes agree.
SameFile sameFile(const FileFacts& a, const FileFacts& b);
