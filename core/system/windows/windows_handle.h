#pragma once

#include "windows_calls.h"

// Owns one handle of the system; closing it in the destructor never reports.
class WindowsHandle final
{
public:
    WindowsHandle(HANDLE handle, const WindowsCalls& calls)
        : m_handle(handle)
        , m_calls(&calls)
    { }
    WindowsHandle(WindowsHandle&& other) noexcept
        : m_handle(other.release())
        , m_calls(other.m_calls)
    { }
    WindowsHandle& operator=(WindowsHandle&&) = delete;
    WindowsHandle(const WindowsHandle&) = delete;
    WindowsHandle& operator=(const WindowsHandle&) = delete;
    ~WindowsHandle();

    HANDLE get() const noexcept { return m_handle; }
    const WindowsCalls& calls() const noexcept { return *m_calls; }
    bool isValid() const noexcept { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE release() noexcept;
    // Closes now; returns 0 or the failure's code.
    std::int32_t close() noexcept;

private:
    HANDLE m_handle;
    const WindowsCalls* m_calls;
};
