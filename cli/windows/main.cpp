#include "filter_command.h"
#include "handle_output.h"
#include "utf16_names.h"
#include "windows_file_system.h"

#include <string>
#include <vector>

// wmain: the arguments as Windows holds them, so that a name outside the
// system's code page reaches the files unchanged.
int wmain(int argc, wchar_t* argv[])
{
    // A drive without its disk fails the open with its code, rather than
    // stopping a batch job at a box that asks for the disk.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(utf8Name(argv[i]));
    WindowsFileSystem files(WindowsCalls::system());
    HandleOutput out(GetStdHandle(STD_OUTPUT_HANDLE));
    HandleOutput err(GetStdHandle(STD_ERROR_HANDLE));
    return runFilterCommand(arguments, files, out, err);
}
