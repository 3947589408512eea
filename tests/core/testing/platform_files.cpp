#include "platform_files.h"

#include "posix_file_system.h"

FileSystem& platformFiles()
{
    static PosixFileSystem files(PosixCalls::system());
    return files;
}
