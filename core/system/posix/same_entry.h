#pragma once

#include "posix_calls.h"

#include <string>

// The name the kernel keeps for an open file: absolute, through no symbolic
// link, spelt as it was opened. Empty where it cannot be learnt.
std::string nameOfOpenFile(const PosixCalls& calls, int fd);

// Whether two such names, which the file system gives two identities, name one
// file all the same: folders that are one by identity (or are themselves one
// entry by this rule, or one mirrors the other) holding names that their file
// system takes for one. FUSE file systems, exFAT through FUSE among them, can
// give every spelling of a name an inode of its own. A folder mirrored at a
// second path is known only by a FUSE mount that names the folder as its
// source, as bindfs does.
bool nameOneFile(const PosixCalls& calls, const std::string& a, const std::string& b);
