#include "windows_handle.h"

WindowsHandle::~WindowsHandle()
{
    close();
}

HANDLE WindowsHandle::release() noexcept
{
    const HANDLE handle = m_handle;
    m_handle = INVALID_HANDLE_VALUE;
    return handle;
}

std::int32_t WindowsHandle::close() noexcept
{
    if (!isValid() || m_calls->closeHandle(release()))
        return 0;
    return failureCode(*m_calls);
}
