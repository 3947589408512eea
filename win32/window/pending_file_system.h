#pragma once

#include "in_out_error.h"
#include "system_file.h"

// Stands in for the Windows file layer until the program is built with it:
// every open is refused as not supported, which the error box then tells.
class PendingFileSystem final : public FileSystem
{
public:
    OpenResult openForReading(const std::string&) override { return {nullptr, InOutCode::NotSupported}; }
    OpenResult createForWriting(const std::string&) override { return {nullptr, InOutCode::NotSupported}; }
};
