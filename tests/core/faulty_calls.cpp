#include "faulty_calls.h"

#include <algorithm>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <unistd.h>

namespace FaultyCalls {

Plan plan;
std::vector<Made> made;

namespace {

std::map<int, std::string> names;

std::string nameOf(int fd)
{
    const auto found = names.find(fd);
    return found == names.end() ? "fd " + std::to_string(fd) : found->second;
}

// Records the call; true when the plan fails it.
bool fails(Call call, std::string file, std::size_t bytes = 0)
{
    made.push_back({call, std::move(file), bytes});
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
    const int fd = ::open(name, flags, mode);
    if (fd >= 0)
        names[fd] = name;
    return fd;
}

int stat(const char* name, struct stat* status)
{
    return fails(Call::Stat, name) ? -1 : ::stat(name, status);
}

int fstat(int fd, struct stat* status)
{
    return fails(Call::Fstat, nameOf(fd)) ? -1 : ::fstat(fd, status);
}

int flock(int fd, int operation)
{
    return fails(Call::Flock, nameOf(fd)) ? -1 : ::flock(fd, operation);
}

int ftruncate(int fd, off_t length)
{
    return fails(Call::Ftruncate, nameOf(fd)) ? -1 : ::ftruncate(fd, length);
}

ssize_t read(int fd, void* buffer, size_t count)
{
    return fails(Call::Read, nameOf(fd)) ? -1 : ::read(fd, buffer, count);
}

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

int syncFileRange(int fd, off_t offset, off_t count, unsigned int flags)
{
    return fails(Call::SyncFileRange, nameOf(fd)) ? -1 : ::sync_file_range(fd, offset, count, flags);
}

int fdatasync(int fd)
{
    return fails(Call::Fdatasync, nameOf(fd)) ? -1 : ::fdatasync(fd);
}

// The descriptor is released whatever close answers, as Linux does.
int close(int fd)
{
    const std::string name = nameOf(fd);
    names.erase(fd);
    const int result = ::close(fd);
    return fails(Call::Close, name) ? -1 : result;
}

} // namespace

void reset()
{
    plan = {};
    made.clear();
    names.clear();
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
    static const PosixCalls faulty {open, stat, fstat, flock, ftruncate, read, write, syncFileRange, fdatasync, close};
    return faulty;
}

} // namespace FaultyCalls
