#pragma once

#include "posix_calls.h"

#include <cstddef>
#include <string>
#include <vector>

// The system calls of the POSIX file layer, made for real unless the test has
// planned a failure, with a record of every call: what it was and the file it
// concerned (for a readlink of /proc/self/fd/N, the file of N). One set per test process: the calls are plain
// functions.
namespace FaultyCalls {

enum class Call
{
    Open,
    Stat,
    Fstat,
    Flock,
    Ftruncate,
    Read,
    Write,
    SyncFileRange,
    Fdatasync,
    Fsync,
    Close,
    Readlink,
    Statfs,
    Ioctl,
    Fchmod,
    Fchown,
    Rename,
    Unlink,
};

struct Made
{
    Call call;
    std::string file; // the name opened, or "fd N" for a descriptor not opened by name
    std::size_t bytes = 0; // written, for a write
};

struct Plan
{
    int failAt = 0; // 1-based position among all calls; 0 for none
    Call failCall = Call::Open; // or else the failNth (1-based) call of this kind
    int failNth = 0;
    int error = EIO;
    std::size_t shortWrite = 0; // at most this many bytes per write, when set
    // When set, the calls answer as a file system of this statfs(2) type that
    // folds letter case and trailing dots of names, locks nothing, and gives
    // every spelling of a name an inode of its own, as exFAT through FUSE does.
    long foldingType = 0;
    bool casefoldFolders = false; // FS_IOC_GETFLAGS then reports casefold
    std::string mountInfo = {}; // a file read in place of /proc/self/mountinfo
};

extern Plan plan;
extern std::vector<Made> made;

// Forgets the plan and the records.
void reset();
int count(Call call);
// Descriptors opened by name and not closed yet.
std::size_t openDescriptors();
const PosixCalls& calls();

} // namespace FaultyCalls
