#pragma once

#include "in_out_error.h"

#include <cerrno>
#include <cstdint>

// How a Linux failure becomes a code of the line files: the code of the
// Windows failure of the same meaning, which users know and can look up.
// This table is the whole mapping.
struct ErrnoCode
{
    int error;
    std::int32_t code;
};

inline constexpr ErrnoCode ErrnoCodes[] = {
    // Opening a name that leads nowhere. A missing file to read in an
    // existing folder is FileNotFound instead: the folder is asked about.
    {ENOENT, InOutCode::PathNotFound},
    {ENOTDIR, InOutCode::PathNotFound},
    {ELOOP, InOutCode::NameCannotBeResolved},
    {ENAMETOOLONG, InOutCode::NameTooLong},
    // A name the file system cannot hold (vfat, exfat, ntfs); the same open
    // failing with EINVAL is InvalidName too.
    {EILSEQ, InOutCode::InvalidName},
    {EMFILE, InOutCode::TooManyOpenFiles},
    {ENFILE, InOutCode::TooManyOpenFiles},
    {EACCES, InOutCode::AccessDenied},
    {EPERM, InOutCode::AccessDenied},
    {EROFS, InOutCode::AccessDenied},
    {EISDIR, InOutCode::AccessDenied},
    {ENOKEY, InOutCode::AccessDenied}, // an encrypted folder whose key is not loaded
    {ETXTBSY, InOutCode::SharingViolation},
    {EWOULDBLOCK, InOutCode::SharingViolation}, // a lock that someone else holds
    {ENOLCK, InOutCode::SharingBufferExceeded},
    {EBUSY, InOutCode::Busy},
    {ENXIO, InOutCode::BadUnit}, // a socket, or a device with nothing behind it
    {ENODEV, InOutCode::DeviceNotThere},
    {ENOMEDIUM, InOutCode::NotReady},
    {EOPNOTSUPP, InOutCode::NotSupported},
    {EINVAL, InOutCode::InvalidParameter},
    {EBADF, InOutCode::InvalidHandle},
    {EFAULT, InOutCode::InvalidAddress},
    {ENOMEM, InOutCode::NotEnoughMemory},
    {EPIPE, InOutCode::BrokenPipe},
    {ENOSPC, InOutCode::DiskFull},
    {EDQUOT, InOutCode::DiskFull},
    {EFBIG, InOutCode::FileTooLarge}, // also past the limit of `ulimit -f`
    {EOVERFLOW, InOutCode::FileTooLarge},
    {EIO, InOutCode::DeviceError},
    {EREMOTEIO, InOutCode::DeviceError},
    {EBADMSG, InOutCode::DataError}, // a checksum that does not match the data
    {EUCLEAN, InOutCode::FileCorrupt},
    {ESTALE, InOutCode::FileNoLongerValid}, // a network file removed on the server
    {ETIMEDOUT, InOutCode::TimedOut},
};

// Any failure the table does not know: never negative, and never a code of
// the message table, whose texts would name another failure.
inline constexpr std::int32_t UnforeseenFailureCode = InOutCode::GeneralFailure;

std::int32_t codeForErrno(int error);
