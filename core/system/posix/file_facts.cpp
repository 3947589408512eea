#include "file_facts.h"

#include "file_descriptor.h"
#include "mount_table.h"

#include <algorithm>
#include <array>
#include <fcntl.h>
#include <linux/magic.h>
#include <span>
#include <string>
#include <sys/sysmacros.h>
#include <sys/vfs.h>
#include <vector>

namespace {

// Mirrors of mirrors are followed this far, which no real set-up reaches.
constexpr int MirrorDepth = 8;
constexpr std::size_t ChunkSize = 64 * 1024;

FileDescriptor openForReading(const PosixCalls& calls, const std::string& name)
{
    return {retryInterrupted([&] { return calls.open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY, 0); }), calls};
}

// The same file, open anew for reading whatever fd was opened for.
FileDescriptor reopened(const PosixCalls& calls, int fd)
{
    return openForReading(calls, "/proc/self/fd/" + std::to_string(fd));
}

std::size_t readSome(const PosixCalls& calls, const FileDescriptor& fd, std::span<char> buffer, bool& failed)
{
    std::size_t count = 0;
    while (count < buffer.size()) {
        const ssize_t read
            = retryInterrupted([&] { return calls.read(fd.get(), buffer.data() + count, buffer.size() - count); });
        if (read <= 0) {
            failed = failed || read < 0;
            break;
        }
        count += static_cast<std::size_t>(read);
    }
    return count;
}

std::string mountTable(const PosixCalls& calls)
{
    const FileDescriptor fd = openForReading(calls, "/proc/self/mountinfo");
    std::string text;
    std::array<char, 4096> chunk;
    bool failed = !fd.isValid();
    while (!failed) {
        const std::size_t count = readSome(calls, fd, chunk, failed);
        text.append(chunk.data(), count);
        if (count < chunk.size())
            break;
    }
    return text;
}

void addMirroredDevices(const PosixCalls& calls, const std::string& table, dev_t device, int depth,
                        std::vector<dev_t>& devices)
{
    if (depth == MirrorDepth)
        return;
    for (const std::string& folder : fuseSourceFolders(table, device)) {
        struct stat status = {};
        if (retryInterrupted([&] { return calls.stat(folder.c_str(), &status); }) != 0 || !S_ISDIR(status.st_mode)
            || std::ranges::find(devices, status.st_dev) != devices.end())
            continue;
        devices.push_back(status.st_dev);
        addMirroredDevices(calls, table, status.st_dev, depth + 1, devices);
    }
}

FileIdentity identityOf(const struct statx& status)
{
    const mode_t type = status.stx_mode & S_IFMT;
    if (S_ISCHR(type) || S_ISBLK(type))
        return {type, makedev(status.stx_rdev_major, status.stx_rdev_minor), 0};
    return {type, makedev(status.stx_dev_major, status.stx_dev_minor), status.stx_ino};
}

} // namespace

std::optional<FileFacts> factsOf(const PosixCalls& calls, int fd)
{
    struct statfs fileSystem = {};
    const bool onFuse = retryInterrupted([&] { return calls.fstatfs(fd, &fileSystem); }) == 0
        && fileSystem.f_type == FUSE_SUPER_MAGIC;
    // FUSE keeps what its file system last said for a while; ask it again.
    const int sync = onFuse ? AT_STATX_FORCE_SYNC : AT_STATX_SYNC_AS_STAT;
    struct statx status = {};
    if (retryInterrupted([&] {
            return calls.statx(fd, "", AT_EMPTY_PATH | sync, STATX_TYPE | STATX_INO | STATX_SIZE | STATX_MTIME,
                               &status);
        })
        != 0)
        return std::nullopt;
    FileFacts facts {.identity = identityOf(status),
                     .onFuse = onFuse && S_ISREG(status.stx_mode),
                     .mirroredDevices = {},
                     .size = status.stx_size,
                     .modifiedSecond = status.stx_mtime.tv_sec};
    if (facts.onFuse)
        addMirroredDevices(calls, mountTable(calls), facts.identity.device, 0, facts.mirroredDevices);
    return facts;
}

bool sameContents(const PosixCalls& calls, int a, int b)
{
    const FileDescriptor first = reopened(calls, a);
    const FileDescriptor second = reopened(calls, b);
    if (!first.isValid() || !second.isValid())
        return true;
    std::vector<char> bytesA(ChunkSize), bytesB(ChunkSize);
    bool failed = false;
    for (;;) {
        const std::size_t countA = readSome(calls, first, bytesA, failed);
        const std::size_t countB = readSome(calls, second, bytesB, failed);
        if (failed)
            return true;
        if (countA != countB || !std::equal(bytesA.begin(), bytesA.begin() + countA, bytesB.begin()))
            return false;
        if (countA < ChunkSize)
            return true;
    }
}
