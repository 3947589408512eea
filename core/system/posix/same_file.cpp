#include "same_file.h"

#include <algorithm>
#include <sys/stat.h>

namespace {

constexpr std::int64_t ClockSeconds = 2;

bool shows(const FileFacts& file, dev_t device)
{
    return file.identity.device == device
        || std::ranges::find(file.mirroredDevices, device) != file.mirroredDevices.end();
}

bool mirrorOneDevice(const FileFacts& a, const FileFacts& b)
{
    return std::ranges::any_of(a.mirroredDevices, [&](dev_t device) { return shows(b, device); });
}

} // namespace

SameFile sameFile(const FileFacts& a, const FileFacts& b)
{
    if (a.identity == b.identity)
        return SameFile::Yes;
    if (!S_ISREG(a.identity.type) || !S_ISREG(b.identity.type) || (!a.onFuse && !b.onFuse))
        return SameFile::No;
    if (!shows(a, b.identity.device) && !shows(b, a.identity.device) && !mirrorOneDevice(a, b))
        return SameFile::No;
    if (a.size != b.size || std::abs(a.modifiedSecond - b.modifiedSecond) > ClockSeconds)
        return SameFile::No;
    return SameFile::IfSameContents;
}
