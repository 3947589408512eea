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
    Flock,
    Ftruncate,
    Read,
    Write,
    SyncFileRange,
    Fdatasync,
    Close,
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
