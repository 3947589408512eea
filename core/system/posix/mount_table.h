#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

// The folders that FUSE file systems on the device were mounted from, as the
// mount table (/proc/self/mountinfo) gives them: a mirror such as bindfs names
// its folder as its source; a FUSE file system over a disk, such as exFAT's,
// names the disk, which is no folder.
std::vector<std::string> fuseSourceFolders(std::string_view mountTable, dev_t device);
