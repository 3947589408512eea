#include "windows_file_queries.h"

#include "unique_handle.h"
#include "wide_text.h"

#include <windows.h>

namespace {

struct FindReleaser
{
    void operator()(HANDLE search) const { FindClose(search); }
};

} // namespace

bool WindowsFileQueries::isExistingNonFolder(const std::string& name) const
{
    if (name.empty() || name.find_first_of("*?") != std::string::npos)
        return false;
    WIN32_FIND_DATAW found {};
    const HANDLE search = FindFirstFileW(toWide(name).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    const UniqueHandle<HANDLE, FindReleaser> owned(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool WindowsFileQueries::isExistingFolder(const std::string& name) const
{
    if (name.empty())
        return false;
    const DWORD attributes = GetFileAttributesW(toWide(name).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
