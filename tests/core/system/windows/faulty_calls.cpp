#include "faulty_calls.h"

#include "utf16_names.h"

#include <algorithm>
#include <map>

namespace FaultyCalls {

Plan plan;
std::vector<Made> made;

namespace {

std::map<HANDLE, std::string> names;

std::string nameOf(HANDLE handle)
{
    const auto found = names.find(handle);
    return found == names.end() ? std::string("unknown handle") : found->second;
}

// Records the call; true, with the planned code left for GetLastError, when the plan fails it.
bool fails(Call call, HANDLE handle)
{
    made.push_back({call, nameOf(handle)});
    if (static_cast<int>(made.size()) != plan.failAt)
        return false;
    SetLastError(plan.error);
    return true;
}

HANDLE WINAPI createFile(const wchar_t* name, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security,
                         DWORD disposition, DWORD flagsAndAttributes, HANDLE model)
{
    made.push_back({Call::CreateFile, utf8Name(name)});
    if (static_cast<int>(made.size()) == plan.failAt) {
        SetLastError(plan.error);
        return INVALID_HANDLE_VALUE;
    }
    const HANDLE handle = CreateFileW(name, access, share, security, disposition, flagsAndAttributes, model);
    if (handle != INVALID_HANDLE_VALUE)
        names[handle] = made.back().file;
    return handle;
}

BOOL WINAPI readFile(HANDLE file, void* buffer, DWORD size, DWORD* read)
{
    return !fails(Call::ReadFile, file) && ReadFile(file, buffer, size, read, nullptr);
}

BOOL WINAPI writeFile(HANDLE file, const void* bytes, DWORD count, DWORD* written)
{
    if (fails(Call::WriteFile, file))
        return FALSE;
    const BOOL done
        = WriteFile(file, bytes, plan.shortWrite ? std::min(count, plan.shortWrite) : count, written, nullptr);
    made.back().bytes = done ? *written : 0;
    return done;
}

BOOL WINAPI flushFileBuffers(HANDLE file)
{
    return !fails(Call::FlushFileBuffers, file) && FlushFileBuffers(file);
}

// The handle is released whatever the answer: a failed close is not tried again.
BOOL WINAPI closeHandle(HANDLE handle)
{
    const bool failing = fails(Call::CloseHandle, handle);
    names.erase(handle);
    const BOOL closed = CloseHandle(handle);
    if (failing)
        SetLastError(plan.error);
    return !failing && closed;
}

DWORD WINAPI getFileType(HANDLE file)
{
    if (fails(Call::GetFileType, file))
        return FILE_TYPE_UNKNOWN;
    return plan.fileType ? *plan.fileType : GetFileType(file);
}

} // namespace

void reset()
{
    plan = {};
    made.clear();
    names.clear();
}

std::size_t openHandles()
{
    return names.size();
}

const WindowsCalls& calls()
{
    static const WindowsCalls faulty {
        .createFile = createFile,
        .readFile = readFile,
        .writeFile = writeFile,
        .flushFileBuffers = flushFileBuffers,
        .closeHandle = closeHandle,
        .getFileType = getFileType,
        .getLastError = GetLastError,
    };
    return faulty;
}

} // namespace FaultyCalls
