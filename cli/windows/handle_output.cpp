#include "handle_output.h"

#include <algorithm>
#include <string>

namespace {

// Few enough characters for any console to take at once.
constexpr DWORD ConsolePiece = 8192;

} // namespace

HandleOutput::HandleOutput(HANDLE handle)
    : m_handle(handle)
{
    DWORD mode = 0;
    m_console = GetConsoleMode(handle, &mode) != 0;
}

void HandleOutput::write(std::string_view text)
{
    if (text.empty() || m_error)
        return;
    if (!(m_console ? writeConsole(text) : writeBytes(text))) {
        const DWORD code = GetLastError();
        m_error = code == ERROR_SUCCESS ? ERROR_WRITE_FAULT : static_cast<std::int32_t>(code);
    }
}

bool HandleOutput::writeConsole(std::string_view text)
{
    const int size = static_cast<int>(text.size());
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), size)));
    for (std::wstring_view rest = wide; !rest.empty();) {
        DWORD written = 0;
        const auto piece = static_cast<DWORD>(std::min<std::size_t>(rest.size(), ConsolePiece));
        if (!WriteConsoleW(m_handle, rest.data(), piece, &written, nullptr) || written == 0)
            return false;
        rest.remove_prefix(written);
    }
    return true;
}

bool HandleOutput::writeBytes(std::string_view text)
{
    while (!text.empty()) {
        DWORD written = 0;
        if (!WriteFile(m_handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) || written == 0)
            return false;
        text.remove_prefix(written);
    }
    return true;
}
