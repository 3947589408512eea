#pragma once

#include "system_file.h"
#include "text_output.h"

#include <string>
#include <vector>

// cribaxon-filter's exit statuses.
namespace ExitStatus {
inline constexpr int Completed = 0; // the destination written, or the source counted
inline constexpr int Rejected = 1; // a file name or the source's header
inline constexpr int UsageError = 2;
inline constexpr int FileFailure = 3; // a file, or standard output
} // namespace ExitStatus

// Does what cribaxon-filter does with the arguments that follow its name, over fileSystem:
// results and messages go to out, rejections and failures to err. Returns the
// exit status; nothing leaves it.
int runFilterCommand(const std::vector<std::string>& arguments, FileSystem& fileSystem, TextOutput& out,
                     TextOutput& err);
