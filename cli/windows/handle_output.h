#pragma once

#include "text_output.h"

#include <windows.h>

// Standard output or error of Windows. A console gets the text as UTF-16
// (WriteConsoleW), which it shows right whatever its code page; a file or a
// pipe gets the UTF-8 bytes themselves, as on Linux.
class HandleOutput final : public TextOutput
{
public:
    explicit HandleOutput(HANDLE handle);

    void write(std::string_view text) override;
    std::int32_t finish() override { return m_error; }

private:
    bool writeConsole(std::string_view text);
    bool writeBytes(std::string_view text);

    HANDLE m_handle;
    bool m_console;
    std::int32_t m_error = 0;
};
