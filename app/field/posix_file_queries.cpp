#include "posix_file_queries.h"

#include <sys/stat.h>

namespace {

bool statOf(const std::string& name, struct stat& status)
{
    // The system would read a name with a NUL in it only up to the NUL.
    if (name.empty() || name.find('\0') != std::string::npos)
        return false;
    return ::stat(name.c_str(), &status) == 0;
}

} // namespace

bool PosixFileQueries::isExistingNonFolder(const std::string& name) const
{
    struct stat status
    {
    };
    return statOf(name, status) && !S_ISDIR(status.st_mode);
}

bool PosixFileQueries::isExistingFolder(const std::string& name) const
{
    struct stat status
    {
    };
    return statOf(name, status) && S_ISDIR(status.st_mode);
}
