#include "child_process.h"

namespace {

// The rules of CommandLineToArgvW: backslashes are plain except before a double quote.
std::wstring quoted(const std::wstring& argument)
{
    std::wstring text = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t character : argument) {
        if (character == L'\\') {
            ++backslashes;
            continue;
        }
        text.append(character == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        text += character;
        backslashes = 0;
    }
    return text.append(2 * backslashes, L'\\') + L"\"";
}

} // namespace

std::wstring besideThisProgram(const std::wstring& name)
{
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

std::wstring commandLine(const std::wstring& program, const std::vector<std::wstring>& arguments)
{
    std::wstring line = quoted(program);
    for (const std::wstring& argument : arguments)
        line += L" " + quoted(argument);
    return line;
}

HANDLE startProgram(const std::wstring& commandLine, HANDLE input, HANDLE output, HANDLE error,
                    const std::wstring& folder)
{
    for (const HANDLE handle : {input, output, error}) {
        if (handle)
            SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    }
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = error;
    std::wstring line = commandLine;
    PROCESS_INFORMATION process {};
    const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        folder.empty() ? nullptr : folder.c_str(), &startup, &process);
    for (const HANDLE handle : {input, output, error}) {
        if (handle)
            SetHandleInformation(handle, HANDLE_FLAG_INHERIT, 0);
    }
    if (!started)
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

DWORD waitForExit(HANDLE process)
{
    WaitForSingleObject(process, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process, &status);
    CloseHandle(process);
    return status;
}
