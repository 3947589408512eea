#include "windows_calls.h"

#include "in_out_error.h"

const WindowsCalls& WindowsCalls::system()
{
    static const WindowsCalls calls {
        .createFile = ::CreateFileW,
        .readFile = [](HANDLE file, void* buffer, DWORD size,
                       DWORD* read) { return ::ReadFile(file, buffer, size, read, nullptr); },
        .writeFile = [](HANDLE file, const void* bytes, DWORD count,
                        DWORD* written) { return ::WriteFile(file, bytes, count, written, nullptr); },
        .flushFileBuffers = ::FlushFileBuffers,
        .closeHandle = ::CloseHandle,
        .getFileType = ::GetFileType,
        .getLastError = ::GetLastError,
    };
    return calls;
}

std::int32_t failureCode(const WindowsCalls& calls)
{
    const DWORD code = calls.getLastError();
    return code == ERROR_SUCCESS ? InOutCode::GeneralFailure : static_cast<std::int32_t>(code);
}
