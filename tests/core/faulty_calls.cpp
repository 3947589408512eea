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
    const int fd = ::open(name, flags, mode);
    if (fd >= 0)
        names[fd] = name;
    return fd;
}

int stat(const char* name, struct stat* status)
{
    return fails(Call::Stat, name) ? -1 : ::stat(name, status);
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
    static const PosixCalls faulty {open,
                                    stat,
                                    onDescriptor<Call::Fstat, ::fstat>,
                                    onDescriptor<Call::Flock, ::flock>,
                                    onDescriptor<Call::Ftruncate, ::ftruncate>,
                                    onDescriptor<Call::Read, ::read>,
                                    write,
                                    onDescriptor<Call::SyncFileRange, ::sync_file_range>,
                                    onDescriptor<Call::Fdatasync, ::fdatasync>,
                                    close};
    return faulty;
}

} // namespace FaultyCalls
