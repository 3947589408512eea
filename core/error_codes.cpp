#include "error_codes.h"

#include "in_out_error.h"

#include <cerrno>
#include <sys/stat.h>

namespace {

bool isFolder(const std::string& path)
{
    struct stat st
    {
    };
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// ENOENT from open: the file is missing when its folder exists, else the path is.
std::int32_t codeForMissingEntry(PathOperation operation, const std::string& name)
{
    if (operation != PathOperation::Open || name.empty())
        return InOutCode::PathNotFound;
    const auto slash = name.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : name.substr(0, slash);
    return isFolder(folder) ? InOutCode::FileNotFound : InOutCode::PathNotFound;
}

} // namespace

std::int32_t codeForErrno(int error, PathOperation operation, const std::string& name)
{
    switch (error) {
    case ENOENT:
        return codeForMissingEntry(operation, name);
    case ENOTDIR:
        return InOutCode::PathNotFound;
    case EMFILE:
    case ENFILE:
        return InOutCode::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return InOutCode::AccessDenied;
    case EBADF:
        return 6;
    case ENOMEM:
        return 8;
    case EWOULDBLOCK:
    case ETXTBSY:
        return InOutCode::SharingViolation;
    case EINVAL:
        return 87;
    case EPIPE:
        return InOutCode::BrokenPipe;
    case ENOSPC:
    case EDQUOT:
        return InOutCode::DiskFull;
    case EBUSY:
        return 170;
    case ENAMETOOLONG:
        return 206;
    case EFBIG:
        return 223;
    case EIO:
        return 1117;
    case ELOOP:
        return 1921;
    default:
        return -error;
    }
}
