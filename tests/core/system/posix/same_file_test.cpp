#include "mount_table.h"
#include "same_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

// The devices of a machine with an ext4 home, exFAT through FUSE on a loop
// device, and bindfs mirrors, as stat(1) gives them.
const dev_t Ext4 = makedev(254, 0), ExfatFuse = makedev(7, 0), Bindfs = makedev(0, 39), Bindfs2 = makedev(0, 40);

FileFacts file(dev_t device, ino_t inode, bool onFuse = false, std::vector<dev_t> mirrored = {},
               std::uint64_t size = 120, std::int64_t second = 1'796'783'280)
{
    return {{S_IFREG, device, inode}, onFuse, std::move(mirrored), size, second};
}

struct SameFileCase
{
    const char* name;
    FileFacts a;
    FileFacts b;
    SameFile expected;
};

class SameFileRule : public testing::TestWithParam<SameFileCase>
{
};

TEST_P(SameFileRule, DecidesByTheFactsAlone)
{
    EXPECT_EQ(sameFile(GetParam().a, GetParam().b), GetParam().expected);
    EXPECT_EQ(sameFile(GetParam().b, GetParam().a), GetParam().expected) << "the order of the two";
}

INSTANTIATE_TEST_SUITE_P(
    , SameFileRule,
    testing::Values(SameFileCase {"OneIdentity", file(Ext4, 11), file(Ext4, 11), SameFile::Yes},
                    SameFileCase {"KernelFilesOfOneDisk", file(Ext4, 11), file(Ext4, 12), SameFile::No},
                    SameFileCase {"NodesOfOneDevice",
                                  {{S_IFCHR, makedev(1, 5), 0}, false, {}},
                                  {{S_IFCHR, makedev(1, 5), 0}, false, {}},
                                  SameFile::Yes},
                    SameFileCase {"FuseSpellingsOfOneDisk", file(ExfatFuse, 3, true), file(ExfatFuse, 5, true),
                                  SameFile::IfSameContents},
                    SameFileCase {"FuseFilesOfOtherSizes", file(ExfatFuse, 3, true), file(ExfatFuse, 5, true, {}, 121),
                                  SameFile::No},
                    SameFileCase {"FuseTimesWithinFatsClock", file(ExfatFuse, 3, true),
                                  file(ExfatFuse, 5, true, {}, 120, 1'796'783'282), SameFile::IfSameContents},
                    SameFileCase {"FuseTimesApart", file(ExfatFuse, 3, true),
                                  file(ExfatFuse, 5, true, {}, 120, 1'796'783'283), SameFile::No},
                    SameFileCase {"FuseDiskBesideAnotherDisk", file(ExfatFuse, 11, true), file(Ext4, 11), SameFile::No},
                    SameFileCase {"MirrorAndTheFolderItShows", file(Bindfs, 11, true, {Ext4}), file(Ext4, 11),
                                  SameFile::IfSameContents},
                    SameFileCase {"TwoMirrorsOfOneFolder", file(Bindfs, 11, true, {Ext4}),
                                  file(Bindfs2, 11, true, {Ext4}), SameFile::IfSameContents},
                    SameFileCase {"MirrorOfAMirror", file(Bindfs2, 11, true, {Bindfs, Ext4}), file(Ext4, 11),
                                  SameFile::IfSameContents},
                    SameFileCase {"MirrorOfAnotherDisk", file(Bindfs, 11, true, {ExfatFuse}), file(Ext4, 11),
                                  SameFile::No},
                    SameFileCase {"FuseFifoIsNoFile",
                                  {{S_IFIFO, ExfatFuse, 3}, true, {}},
                                  {{S_IFIFO, ExfatFuse, 5}, true, {}},
                                  SameFile::No}),
    [](const auto& info) { return info.param.name; });

struct MountTableCase
{
    const char* name;
    const char* line;
    std::vector<std::string> folders;
};

class MountTable : public testing::TestWithParam<MountTableCase>
{
};

TEST_P(MountTable, NamesTheFoldersFuseWasMountedFrom)
{
    const std::string table = std::string("25 1 254:0 / / rw - ext4 /dev/vda1 rw\n") + GetParam().line + "\n";
    EXPECT_EQ(fuseSourceFolders(table, Bindfs), GetParam().folders);
}

INSTANTIATE_TEST_SUITE_P(
    , MountTable,
    testing::Values(
        MountTableCase {"Bindfs", "45 26 0:39 / /m rw,nosuid - fuse /home/ana/real rw,user_id=0", {"/home/ana/real"}},
        MountTableCase {"BindMountOfASubfolder", "46 26 0:39 /sub /mb rw - fuse /home/ana/real rw", {"/home/ana/real"}},
        MountTableCase {"NamedType", "45 26 0:39 / /m rw - fuse.bindfs /r rw", {"/r"}},
        MountTableCase {"OptionalFields", "45 26 0:39 / /m rw shared:7 master:2 - fuse /r rw", {"/r"}},
        MountTableCase {"EscapedBlank", "45 26 0:39 / /m rw - fuse /mis\\040datos rw", {"/mis datos"}},
        MountTableCase {"DiskThroughFuse", "45 26 0:39 / /ex rw - fuseblk /dev/loop0 rw", {}},
        MountTableCase {"RemoteSource", "45 26 0:39 / /s rw - fuse.sshfs ana@host:/datos rw", {}},
        MountTableCase {"OtherDevice", "45 26 0:40 / /m rw - fuse /r rw", {}},
        MountTableCase {"CutShort", "45 26 0:39 / /m rw - fuse", {}}),
    [](const auto& info) { return info.param.name; });

} // namespace
