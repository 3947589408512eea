#pragma once

#include <cstdint>
#include <string>

// The one place where Linux failures become the codes of the line files.
//
// Codes keep the numbers of the Windows system errors that the program's
// messages and users know; where Linux has a failure of the same meaning its
// Windows number is used:
//
//   ENOENT                   2  no such file (folder exists)   /  3  a folder on the path is missing
//   ENOTDIR                  3  a non-folder used as a folder
//   EMFILE ENFILE            4  too many open files
//   EACCES EPERM EROFS       5  access denied (so are folders named as files)
//   EISDIR                   5
//   EBADF                    6  invalid handle
//   ENOMEM                   8  not enough memory
//   EWOULDBLOCK (lock) ETXTBSY
//                           32  sharing violation
//   EINVAL                  87  invalid parameter
//   EPIPE                  109  broken pipe
//   ENOSPC EDQUOT          112  disk full
//   EBUSY                  170  busy
//   ENAMETOOLONG           206  name too long
//   EFBIG                  223  file too large
//   EIO                   1117  device I/O error
//   ELOOP                 1921  name cannot be resolved
//
// Any other errno e comes out as -e: negative, so it can never be read as a
// Windows code, and in particular never as one of the message table (EIO is 5
// on Linux and must not read "Acceso al archivo denegado").
enum class PathOperation
{
    Open,
    Create,
    Other,
};

std::int32_t codeForErrno(int error, PathOperation operation = PathOperation::Other, const std::string& name = {});
