#pragma once

#include "posix_calls.h"

#include <cstddef>
#include <string>
#include <vector>

// The system calls of the POSIX file layer, made for real unless the test has
// planned a failure, with a record of every call: what it was and the file it
// concerned. One set per test process: the calls are plain functions.
namespace FaultyCalls {

enum class Call
{
    Open,
    Stat,
    Fstat,
    Statx,
    Fstatfs,
    Fcntl,
    Flock,
    Ftruncate,
    Read,
    Write,
    SyncFileRange,
    Fdatasync,
    Fsync,
    Close,
    Fchmod,
    Fchown,
    Flistxattr,
    Fgetxattr,
    Fsetxattr,
    Fremovexattr,
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
    // The calls answer as FUSE over a disk does (exFAT's): every spelling of a
    // name its own inode, and no lock taken.
    bool fuseSpellings = false;
    // Names under this folder are shown again by a FUSE mirror (bindfs) on a
    // device of its own, with the inodes of the files they lead to.
    std::string mirrorPoint = {};
    std::string mountInfo = {}; // a file read in place of /proc/self/mountinfo
};

extern Plan plan;
extern std::vector<Made> made;

// The device FUSE mirrors are shown on.
inline constexpr dev_t MirrorDevice = 4242;

// Forgets the plan and the records.
void reset();
int count(Call call);
// Descriptors opened by name and not closed yet.
std::size_t openDescriptors();
const PosixCalls& calls();

} // namespace FaultyCalls
