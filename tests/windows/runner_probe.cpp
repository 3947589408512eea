// runner_probe STATUS [ARG]...: writes each ARG in UTF-8 on a line of its own and exits with STATUS.
#include <cstdlib>
#include <string>
#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 100;
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    for (int i = 2; i < argc; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string line(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, line.data(), size, nullptr, nullptr);
        line.back() = '\n';
        DWORD written = 0;
        if (!WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) || written != line.size())
            return 101;
    }
    return static_cast<int>(std::wcstol(argv[1], nullptr, 10));
}
