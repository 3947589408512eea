#pragma once

#include <cstdint>
#include <windows.h>

// Every call of the Windows file layer, so that tests can make any of them
// fail or report a chosen error.
struct WindowsCalls
{
    HANDLE(WINAPI* createFile)
    (const wchar_t* name, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security, DWORD disposition,
     DWORD flagsAndAttributes, HANDLE model);
    BOOL(WINAPI* readFile)(HANDLE file, void* buffer, DWORD size, DWORD* read);
    BOOL(WINAPI* writeFile)(HANDLE file, const void* bytes, DWORD count, DWORD* written);
    BOOL(WINAPI* flushFileBuffers)(HANDLE file);
    BOOL(WINAPI* closeHandle)(HANDLE handle);
    DWORD(WINAPI* getFileType)(HANDLE file);
    DWORD(WINAPI* getLastError)();

    static const WindowsCalls& system();
};

// The code of the call that has just failed; a failure that left no code is still a failure.
std::int32_t failureCode(const WindowsCalls& calls);
