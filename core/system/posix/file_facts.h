#pragma once

#include "posix_calls.h"
#include "same_file.h"

#include <optional>

// What the system says about the open file fd, asked of the file system
// itself where FUSE may keep an old answer. Nothing when the file cannot be
// asked about; errno then tells why.
std::optional<FileFacts> factsOf(const PosixCalls& calls, int fd);

// Whether two open files hold the same bytes, read afresh through the
// system's links to them. Where either cannot be read, they count as the
// same: a file that cannot be told apart from the source is never emptied.
bool sameContents(const PosixCalls& calls, int a, int b);
