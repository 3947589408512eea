#include "faulty_calls.h"

#include "name_folding.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <linux/fs.h>
#include <map>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace FaultyCalls {

Plan plan;
std::vector<Made> made;

namespace {

std::map<int, std::string> names;
// Folding: the absolute name each descriptor was opened by.
std::map<int, std::string> spellings;

std::string absolute(const std::string& name)
{
    return name.starts_with('/') ? name : std::filesystem::current_path().string() + "/" + name;
}

// Folding: the name with each part that names nothing as it is spelt replaced
// by an entry of its folder that folds to the same.
std::string folded(const std::string& name)
{
    if (!plan.foldingType)
        return name;
    std::filesystem::path path;
    for (const auto& part : std::filesystem::path(absolute(name))) {
        std::filesystem::path next = path / part;
        std::error_code failed;
        if (!std::filesystem::exists(std::filesystem::symlink_status(next, failed)) && !path.empty()) {
            for (const auto& entry : std::filesystem::directory_iterator(path, failed)) {
                if (sameFoldedName(entry.path().filename().string(), part.string(),
                                   NameFolding::LetterCaseAndTrailingDots))
                    next = entry.path();
            }
        }
        path = next;
    }
    return path.string();
}

// Folding: every spelling its own inode.
int withSpellingInode(int result, struct stat* status, const std::string& spelling)
{
    if (result == 0 && plan.foldingType && !spelling.empty())
        status->st_ino ^= std::hash<std::string> {}(spelling) << 8;
    return result;
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
    const bool mountInfo = !plan.mountInfo.empty() && std::string_view(name) == "/proc/self/mountinfo";
    const int fd = ::open(mountInfo ? plan.mountInfo.c_str() : folded(name).c_str(), flags, mode);
    if (fd >= 0) {
        names[fd] = name;
        spellings[fd] = absolute(name);
    }
    return fd;
}

int stat(const char* name, struct stat* status)
{
    if (fails(Call::Stat, name))
        return -1;
    return withSpellingInode(::stat(folded(name).c_str(), status), status, absolute(name));
}

int fstat(int fd, struct stat* status)
{
    if (fails(Call::Fstat, nameOf(fd)))
        return -1;
    return withSpellingInode(::fstat(fd, status), status, spellings[fd]);
}

int flock(int fd, int operation)
{
    if (fails(Call::Flock, nameOf(fd)))
        return -1;
    return plan.foldingType ? 0 : ::flock(fd, operation);
}

ssize_t readlink(const char* name, char* buffer, size_t size)
{
    const std::string_view link(name);
    constexpr std::string_view OpenFiles = "/proc/self/fd/";
    const int fd = link.starts_with(OpenFiles) ? std::stoi(std::string(link.substr(OpenFiles.size()))) : -1;
    if (fails(Call::Readlink, fd >= 0 ? nameOf(fd) : name))
        return -1;
    if (!plan.foldingType || fd < 0 || spellings[fd].empty())
        return ::readlink(name, buffer, size);
    const std::string& spelling = spellings[fd];
    const std::size_t length = std::min(size, spelling.size());
    std::copy_n(spelling.begin(), length, buffer);
    return static_cast<ssize_t>(length);
}

int statfs(const char* name, struct statfs* status)
{
    if (fails(Call::Statfs, name))
        return -1;
    const int result = ::statfs(folded(name).c_str(), status);
    if (result == 0 && plan.foldingType)
        status->f_type = plan.foldingType;
    return result;
}

int ioctl(int fd, unsigned long request, int* argument)
{
    if (fails(Call::Ioctl, nameOf(fd)))
        return -1;
    if (plan.foldingType && request == FS_IOC_GETFLAGS) {
        *argument = plan.casefoldFolders ? FS_CASEFOLD_FL : 0;
        return 0;
    }
    return ::ioctl(fd, request, argument);
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
        .flock = flock,
        .ftruncate = onDescriptor<Call::Ftruncate, ::ftruncate>,
        .read = onDescriptor<Call::Read, ::read>,
        .write = write,
        .syncFileRange = onDescriptor<Call::SyncFileRange, ::sync_file_range>,
        .fdatasync = onDescriptor<Call::Fdatasync, ::fdatasync>,
        .fsync = onDescriptor<Call::Fsync, ::fsync>,
        .close = close,
        .readlink = readlink,
        .statfs = statfs,
        .ioctl = ioctl,
        .fchmod = onDescriptor<Call::Fchmod, ::fchmod>,
        .fchown = onDescriptor<Call::Fchown, ::fchown>,
        .rename = rename,
        .unlink = onName<Call::Unlink, ::unlink>,
    };
    return faulty;
}

} // namespace FaultyCalls
