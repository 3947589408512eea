// file_holder ACCESS SHARE NAME: another program that holds a file open. ACCESS is r or w, SHARE what it lets
// others do: r, rw or -. Writes "held" once the file is open, keeps it until its standard input ends; status 1
// when the open fails.
#include <string_view>
#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4)
        return 2;
    const std::wstring_view share = argv[2];
    const HANDLE file = CreateFileW(argv[3], argv[1] == std::wstring_view(L"w") ? GENERIC_WRITE : GENERIC_READ,
                                    (share.find(L'r') != share.npos ? FILE_SHARE_READ : 0)
                                        | (share.find(L'w') != share.npos ? FILE_SHARE_WRITE : 0),
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD count = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "held\n", 5, &count, nullptr);
    char byte;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &byte, 1, &count, nullptr) && count > 0) { }
    CloseHandle(file);
    return 0;
}
