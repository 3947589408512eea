#pragma once

#include "temporary_folder.h"

#include <string>
#include <vector>

using Arguments = std::vector<std::string>;

// What a run of cribaxon-filter gave.
struct Outcome
{
    bool exited = false;
    int status = -1; // the exit status, or minus the signal that ended the program
    std::string out;
    std::string err;
};

// Runs the command in this process, in the folder, its two streams caught.
Outcome runInProcess(const Arguments& arguments, const TemporaryFolder& folder);
