#include "error_codes.h"

#include <algorithm>
#include <cerrno>
#include <gtest/gtest.h>
#include <set>

namespace {

struct ErrnoCase
{
    const char* name;
    int error;
    std::int32_t code;
};

const ErrnoCase ErrnoCases[] = {
    {"MissingEntry", ENOENT, 3},
    {"NotAFolder", ENOTDIR, 3},
    {"Loop", ELOOP, 1921},
    {"NameTooLong", ENAMETOOLONG, 206},
    {"NameTheFileSystemCannotHold", EILSEQ, 123},
    {"TooManyFiles", EMFILE, 4},
    {"TooManyFilesInSystem", ENFILE, 4},
    {"Access", EACCES, 5},
    {"Permission", EPERM, 5},
    {"ReadOnlyFileSystem", EROFS, 5},
    {"IsAFolder", EISDIR, 5},
    {"KeyNotLoaded", ENOKEY, 5},
    {"TextBusy", ETXTBSY, 32},
    {"Locked", EWOULDBLOCK, 32},
    {"NoLocksLeft", ENOLCK, 36},
    {"Busy", EBUSY, 170},
    {"NoSuchDeviceOrAddress", ENXIO, 20},
    {"NoSuchDevice", ENODEV, 55},
    {"NoMedium", ENOMEDIUM, 21},
    {"NotSupported", EOPNOTSUPP, 50},
    {"InvalidArgument", EINVAL, 87},
    {"BadDescriptor", EBADF, 6},
    {"BadAddress", EFAULT, 487},
    {"OutOfMemory", ENOMEM, 8},
    {"BrokenPipe", EPIPE, 109},
    {"DiskFull", ENOSPC, 112},
    {"Quota", EDQUOT, 112},
    {"FileTooLarge", EFBIG, 223},
    {"Overflow", EOVERFLOW, 223},
    {"DeviceError", EIO, 1117},
    {"RemoteDeviceError", EREMOTEIO, 1117},
    {"ChecksumMismatch", EBADMSG, 23},
    {"Corrupt", EUCLEAN, 1392},
    {"Stale", ESTALE, 1006},
    {"TimedOut", ETIMEDOUT, 121},
    {"Unforeseen", EXDEV, 31},
};

class ErrnoMapping : public testing::TestWithParam<ErrnoCase>
{
};

TEST_P(ErrnoMapping, GivesTheCodeOfTheSameFailure)
{
    EXPECT_EQ(codeForErrno(GetParam().error), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(, ErrnoMapping, testing::ValuesIn(ErrnoCases),
                         [](const auto& info) { return info.param.name; });

TEST(ErrnoMappingRules, EveryErrnoOfTheTableHasItsRowAbove)
{
    for (const ErrnoCode& mapped : ErrnoCodes) {
        EXPECT_TRUE(std::ranges::any_of(ErrnoCases, [&](const ErrnoCase& row) { return row.error == mapped.error; }))
            << "errno " << mapped.error;
    }
}

// No errno may come out negative, or as a code whose message would name another failure.
TEST(ErrnoMappingRules, NeverMisnamesAFailureWithTheMessageTable)
{
    const std::set<std::int32_t> table {2, 3, 4, 5, 100, 101, 106};
    const std::set<int> tableErrnos {ENOENT, ENOTDIR, EMFILE, ENFILE, EACCES, EPERM, EROFS, EISDIR, ENOKEY};
    for (int error = 1; error < 4096; ++error) {
        const std::int32_t code = codeForErrno(error);
        EXPECT_GT(code, 0) << "errno " << error;
        if (!tableErrnos.contains(error)) {
            EXPECT_FALSE(table.contains(code)) << "errno " << error;
        }
    }
}

} // namespace
