#include "same_entry.h"

#include "file_descriptor.h"
#include "name_folding.h"
#include "posix_file_system.h"

#include <array>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sstream>

namespace {

struct Entry
{
    std::string folder;
    std::string leaf;
};

Entry entryOf(const std::string& name)
{
    const auto slash = name.rfind('/');
    return {slash == 0 ? "/" : name.substr(0, slash), name.substr(slash + 1)};
}

bool hasCasefold(const PosixCalls& calls, const std::string& folder)
{
    FileDescriptor fd(
        retryInterrupted([&] { return calls.open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0); }), calls);
    int flags = 0;
    return fd.isValid() && calls.ioctl(fd.get(), FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_CASEFOLD_FL) != 0;
}

NameFolding foldingOf(const PosixCalls& calls, const std::string& folder)
{
    struct statfs status = {};
    if (retryInterrupted([&] { return calls.statfs(folder.c_str(), &status); }) != 0)
        return NameFolding::Unknown;
    const NameFolding byType = nameFoldingOf(static_cast<long>(status.f_type), false);
    return byType != NameFolding::Exact ? byType : nameFoldingOf(0, hasCasefold(calls, folder));
}

// Two spellings listed side by side are two files, whatever the file system.
bool listsBoth(const std::string& folder, const std::string& a, const std::string& b)
{
    DIR* listing = ::opendir(folder.c_str());
    if (!listing)
        return false;
    std::array found {false, false};
    while (const dirent* entry = ::readdir(listing)) {
        found[0] = found[0] || entry->d_name == a;
        found[1] = found[1] || entry->d_name == b;
    }
    ::closedir(listing);
    return found[0] && found[1];
}

std::string readAll(const PosixCalls& calls, const char* name)
{
    FileDescriptor fd(retryInterrupted([&] { return calls.open(name, O_RDONLY | O_CLOEXEC, 0); }), calls);
    std::string text;
    std::array<char, 4096> chunk;
    ssize_t count = 0;
    while (fd.isValid()
           && (count = retryInterrupted([&] { return calls.read(fd.get(), chunk.data(), chunk.size()); })) > 0)
        text.append(chunk.data(), static_cast<std::size_t>(count));
    return text;
}

// mountinfo writes a blank, a tab, a newline and a backslash in octal.
std::string unescaped(const std::string& field)
{
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            text += static_cast<char>(std::stoi(field.substr(i + 1, 3), nullptr, 8));
            i += 3;
        } else
            text += field[i];
    }
    return text;
}

bool isFolder(const PosixCalls& calls, const std::string& name)
{
    struct stat status = {};
    return retryInterrupted([&] { return calls.stat(name.c_str(), &status); }) == 0 && S_ISDIR(status.st_mode);
}

// A FUSE file system mounted from a folder (bindfs names its source so) mirrors
// it: the folder's name under the mirrored folder, or the name itself.
std::string unmirrored(const PosixCalls& calls, const std::string& folder)
{
    std::istringstream lines(readAll(calls, "/proc/self/mountinfo"));
    std::string line, mountPoint, source;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string field, point, type, from;
        for (int i = 0; i < 5 && fields >> field; ++i)
            point = unescaped(field);
        while (fields >> field && field != "-") { }
        fields >> type >> from;
        from = unescaped(from);
        const bool inside = folder == point || folder.starts_with(point == "/" ? point : point + "/");
        if (inside && point.size() > mountPoint.size()) {
            mountPoint = point;
            source = type == "fuse" || type.starts_with("fuse.") ? from : "";
        }
    }
    if (source.empty() || !source.starts_with('/') || !isFolder(calls, source))
        return folder;
    return source + folder.substr(mountPoint.size());
}

bool sameFolder(const PosixCalls& calls, const std::string& a, const std::string& b, bool mirrorsSeen = false)
{
    struct stat statusA = {}, statusB = {};
    if (retryInterrupted([&] { return calls.stat(a.c_str(), &statusA); }) == 0
        && retryInterrupted([&] { return calls.stat(b.c_str(), &statusB); }) == 0
        && FileIdentity::of(statusA) == FileIdentity::of(statusB))
        return true;
    if (!mirrorsSeen) {
        const std::string mirroredA = unmirrored(calls, a), mirroredB = unmirrored(calls, b);
        if (mirroredA != a || mirroredB != b)
            return sameFolder(calls, mirroredA, mirroredB, true);
    }
    return nameOneFile(calls, a, b);
}

} // namespace

std::string nameOfOpenFile(const PosixCalls& calls, int fd)
{
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    std::array<char, 4096> name;
    const ssize_t length = calls.readlink(link.c_str(), name.data(), name.size());
    if (length <= 0 || static_cast<std::size_t>(length) == name.size() || name[0] != '/')
        return {};
    return {name.data(), static_cast<std::size_t>(length)};
}

bool nameOneFile(const PosixCalls& calls, const std::string& a, const std::string& b)
{
    if (a == b)
        return true;
    const Entry entryA = entryOf(a), entryB = entryOf(b);
    // The root, and names that no file system takes for one, end it without a call.
    if (entryA.leaf.empty() || entryB.leaf.empty()
        || !sameFoldedName(entryA.leaf, entryB.leaf, NameFolding::LetterCaseAndTrailingDots))
        return false;
    if (entryA.leaf != entryB.leaf) {
        const NameFolding folding = foldingOf(calls, entryA.folder);
        if (!sameFoldedName(entryA.leaf, entryB.leaf, folding)
            || (folding == NameFolding::Unknown && listsBoth(entryA.folder, entryA.leaf, entryB.leaf)))
            return false;
    }
    return sameFolder(calls, entryA.folder, entryB.folder);
}
