#pragma once

#include "system_file.h"
#include "temporary_folder.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What the fault-injection tests of each platform run: a Pitovan source of several
// transfers, copied whole but for the fixed cameras' speed warning (records written
// as they are and blanked ones), its failure caught as an outcome.

std::string severalTransfersSource(std::size_t chunk);

struct FaultRunOutcome
{
    std::int32_t code = 0;
    std::string message;
    std::string fileName;
    std::vector<std::string> reported;
};

// in.mdb of the folder into out.mdb.
FaultRunOutcome runCaught(const TemporaryFolder& folder, FileSystem& files);
