#pragma once

#include "windows_calls.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Windows' calls of the file layer, made for real unless the test has planned
// a failure or another answer, with a record of every call: what it was and
// the file it concerned. One set per test process: the calls are plain functions.
namespace FaultyCalls {

enum class Call
{
    CreateFile,
    ReadFile,
    WriteFile,
    FlushFileBuffers,
    CloseHandle,
    GetFileType,
};

struct Made
{
    Call call;
    std::string file; // the name opened, in UTF-8
    std::size_t bytes = 0; // written, for a write
};

struct Plan
{
    int failAt = 0; // 1-based position among all calls; 0 for none
    DWORD error = ERROR_GEN_FAILURE;
    DWORD shortWrite = 0; // at most this many bytes per write, when set
    std::optional<DWORD> fileType = {}; // what GetFileType answers in place of the system
};

extern Plan plan;
extern std::vector<Made> made;

// Forgets the plan and the records.
void reset();
// Handles opened and not closed yet.
std::size_t openHandles();
const WindowsCalls& calls();

} // namespace FaultyCalls
