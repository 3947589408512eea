#include "platform_files.h"

#include "windows_file_system.h"

FileSystem& platformFiles()
{
    static WindowsFileSystem files(WindowsCalls::system());
    return files;
}
