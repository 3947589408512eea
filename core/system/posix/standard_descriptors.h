#pragma once

#include "posix_calls.h"

// Opens the null device in place of any of standard input, output and error
// that the program was started without, before the program opens a file: a
// file would otherwise take the number, and the program's messages would be
// written into it. Each is opened for the access it is not used for, so that
// a message to a closed output still fails as it would have (a closed input
// reads nothing either way).
void openClosedStandardDescriptors(const PosixCalls& calls);
