#include "error_codes.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>

namespace {

struct ErrnoCase
{
    const char* name;
    int error;
    std::int32_t code;
};

class ErrnoMapping : public testing::TestWithParam<ErrnoCase>
{
};

TEST_P(ErrnoMapping, GivesTheCodeOfTheSameFailure)
{
    EXPECT_EQ(codeForErrno(GetParam().error), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(, ErrnoMapping,
                         testing::Values(ErrnoCase {"NotAFolder", ENOTDIR, 3}, ErrnoCase {"TooManyFiles", EMFILE, 4},
                                         ErrnoCase {"TooManyFilesInSystem", ENFILE, 4},
                                         ErrnoCase {"Access", EACCES, 5}, ErrnoCase {"Permission", EPERM, 5},
                                         ErrnoCase {"ReadOnlyFileSystem", EROFS, 5},
                                         ErrnoCase {"IsAFolder", EISDIR, 5}, ErrnoCase {"Busy", ETXTBSY, 32},
                                         ErrnoCase {"Locked", EWOULDBLOCK, 32}, ErrnoCase {"BrokenPipe", EPIPE, 109},
                                         ErrnoCase {"DiskFull", ENOSPC, 112}, ErrnoCase {"Quota", EDQUOT, 112},
                                         ErrnoCase {"NameTooLong", ENAMETOOLONG, 206},
                                         ErrnoCase {"DeviceError", EIO, 1117}, ErrnoCase {"Loop", ELOOP, 1921},
                                         ErrnoCase {"Unmapped", EXDEV, -EXDEV}),
                         [](const auto& info) { return info.param.name; });

// No errno may come out as a code whose message would name another failure.
TEST(ErrnoMappingRules, NeverMisnamesAFailureWithTheMessageTable)
{
    const std::set<std::int32_t> table {2, 3, 4, 5, 100, 101, 106};
    const std::set<int> tableErrnos {ENOENT, ENOTDIR, EMFILE, ENFILE, EACCES, EPERM, EROFS, EISDIR};
    for (int error = 1; error < 134; ++error) {
        if (!tableErrnos.contains(error)) {
            EXPECT_FALSE(table.contains(codeForErrno(error))) << "errno " << error;
        }
    }
}

TEST(ErrnoMappingRules, MissingEntryIsAMissingFileOnlyWhenItsFolderExists)
{
    TemporaryFolder folder;
    EXPECT_EQ(codeForErrno(ENOENT, PathOperation::Open, folder.path("absent.mdb")), 2);
    EXPECT_EQ(codeForErrno(ENOENT, PathOperation::Open, folder.path("no/absent.mdb")), 3);
    EXPECT_EQ(codeForErrno(ENOENT, PathOperation::Open, "relative-absent.mdb"), 2);
    EXPECT_EQ(codeForErrno(ENOENT, PathOperation::Create, folder.path("no/absent.mdb")), 3);
}

} // namespace
