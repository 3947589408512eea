#include "faulty_calls.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <linux/magic.h>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace FaultyCalls {

Plan plan;
std::vector<Made> made;

namespace {

std::map<int, std::string> names;
// The absolute name each descriptor was opened by; a reopening through
// /proc/self/fd/N takes N's.
std::map<int, std::string> spellings;

std::string absolute(const std::string& name)
{
    return name.starts_with('/') ? name : std::filesystem::current_path().string() + "/" + name;
}

bool isMirrored(const std::string& spelling)
{
    return !plan.mirrorPoint.empty() && spelling.starts_with(plan.mirrorPoint + "/");
}

bool isFuse(const std::string& spelling)
{
    return !spelling.empty() && (plan.fuseSpellings || isMirrored(spelling));
}

std::string spellingOf(int fd)
{
    const auto found = spellings.find(fd);
    return found == spellings.end() ? std::string() : found->second;
}

std::string nameOf(int fd)
{
    const auto found = names.find(fd);
    return found == names.end() ? "fd " + std::to_string(fd) : found->second;
}

// Records the call; true when the plan fails it.
bool fails(Call call, std::string file)
{
    made.push_back({call, std::move(file)});
    const bool failing = static_cast<int>(made.size()) == plan.failAt
        || (plan.failNth > 0 && call == plan.failCall && count(call) == plan.failNth);
    if (failing)
        errno = plan.error;
    return failing;
}

int open(const char* name, int flags, mode_t mode)
{
    if (fails(Call::Open, name))
        return -1;
    const std::string_view given(name);
    const bool mountInfo = !plan.mountInfo.empty() && given == "/proc/self/mountinfo";
    const int fd = ::open(mountInfo ? plan.mountInfo.c_str() : name, flags, mode);
    if (fd >= 0) {
        constexpr std::string_view OpenFiles = "/proc/self/fd/";
        names[fd] = name;
        spellings[fd] = given.starts_with(OpenFiles)
            ? spellingOf(std::stoi(std::string(given.substr(OpenFiles.size()))))
            : absolute(name);
    }
    return fd;
}

int stat(const char* name, struct stat* status)
{
    if (fails(Call::Stat, name))
        return -1;
    const int result = ::stat(name, status);
    if (result == 0 && isMirrored(absolute(name)))
        status->st_dev = MirrorDevice;
    return result;
}

// What FUSE makes of a file's identity.
void fakeIdentity(const std::string& spelling, dev_t& device, ino_t& inode)
{
    if (plan.fuseSpellings && !spelling.empty())
        inode ^= std::hash<std::string> {}(spelling) << 8;
    if (isMirrored(spelling))
        device = MirrorDevice;
}

int fstat(int fd, struct stat* status)
{
    if (fails(Call::Fstat, nameOf(fd)))
        return -1;
    const int result = ::fstat(fd, status);
    if (result == 0)
        fakeIdentity(spellingOf(fd), status->st_dev, status->st_ino);
    return result;
}

int statx(int folder, const char* name, int flags, unsigned int mask, struct statx* status)
{
    if (fails(Call::Statx, nameOf(folder)))
        return -1;
    const int result = ::statx(folder, name, flags, mask, status);
    if (result == 0) {
        dev_t device = makedev(status->stx_dev_major, status->stx_dev_minor);
        ino_t inode = status->stx_ino;
        fakeIdentity(spellingOf(folder), device, inode);
        status->stx_dev_major = major(device);
        status->stx_dev_minor = minor(device);
        status->stx_ino = inode;
    }
    return result;
}

int fstatfs(int fd, struct statfs* status)
{
    if (fails(Call::Fstatfs, nameOf(fd)))
        return -1;
    const int result = ::fstatfs(fd, status);
    if (result == 0 && isFuse(spellingOf(fd)))
        status->f_type = FUSE_SUPER_MAGIC;
    return result;
}

int fcntl(int fd, int command, int argument)
{
    return fails(Call::Fcntl, nameOf(fd)) ? -1 : ::fcntl(fd, command, argument);
}

// FUSE locks each of its inodes alone.
int flock(int fd, int operation)
{
    if (fails(Call::Flock, nameOf(fd)))
        return -1;
    return isFuse(spellingOf(fd)) ? 0 : ::flock(fd, operation);
}

template <Call call, auto real> int onName(const char* name)
{
    return fails(call, name) ? -1 : real(name);
}

int rename(const char* from, const char* to)
{
    return fails(Call::Rename, from) ? -1 : ::rename(from, to);
}

// A call on a descriptor, made for real unless it fails.
template <Call call, auto real>
constexpr auto onDescriptor = [](int fd, auto... arguments) {
    return fails(call, nameOf(fd)) ? -1 : real(fd, arguments...);
};

ssize_t write(int fd, const void* buffer, size_t count)
{
    if (plan.shortWrite)
        count = std::min(count, plan.shortWrite);
    if (fails(Call::Write, nameOf(fd)))
        return -1;
    const ssize_t written = ::write(fd, buffer, count);
    made.back().bytes = written > 0 ? static_cast<std::size_t>(written) : 0;
    return written;
}

// The descriptor is released whatever close answers, as Linux does.
int close(int fd)
{
    const std::string name = nameOf(fd);
    names.erase(fd);
    spellings.erase(fd);
    const int result = ::close(fd);
    return fails(Call::Close, name) ? -1 : result;
}

} // namespace

void reset()
{
    plan = {};
    made.clear();
    names.clear();
    spellings.clear();
}

int count(Call call)
{
    return static_cast<int>(std::ranges::count(made, call, &Made::call));
}

std::size_t openDescriptors()
{
    return names.size();
}

const PosixCalls& calls()
{
    static const PosixCalls faulty {
        .open = open,
        .stat = stat,
        .fstat = fstat,
        .statx = statx,
        .fstatfs = fstatfs,
        .fcntl = fcntl,
        .flock = flock,
        .ftruncate = onDescriptor<Call::Ftruncate, ::ftruncate>,
        .read = onDescriptor<Call::Read, ::read>,
        .write = write,
        .syncFileRange = onDescriptor<Call::SyncFileRange, ::sync_file_range>,
        .fdatasync = onDescriptor<Call::Fdatasync, ::fdatasync>,
        .fsync = onDescriptor<Call::Fsync, ::fsync>,
        .close = close,
        .fchmod = onDescriptor<Call::Fchmod, ::fchmod>,
        .fchown = onDescriptor<Call::Fchown, ::fchown>,
        .flistxattr = onDescriptor<Call::Flistxattr, ::flistxattr>,
        .fgetxattr = onDescriptor<Call::Fgetxattr, ::fgetxattr>,
        .fsetxattr = onDescriptor<Call::Fsetxattr, ::fsetxattr>,
        .fremovexattr = onDescriptor<Call::Fremovexattr, ::fremovexattr>,
        .rename = rename,
        .unlink = onName<Call::Unlink, ::unlink>,
    };
    return faulty;
}

} // namespace FaultyCalls
