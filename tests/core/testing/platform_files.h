#pragma once

#include "system_file.h"

// The file system the programs use on this platform, one for every test, as one program has one.
FileSystem& platformFiles();
