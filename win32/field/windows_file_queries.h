#pragma once

#include "file_queries.h"

// The field's questions to Windows: FindFirstFileW for a file, GetFileAttributesW for a folder.
class WindowsFileQueries final : public FileQueries
{
public:
    // A name with wildcards names no file, whatever a search for it would find.
    bool isExistingNonFolder(const std::string& name) const override;
    bool isExistingFolder(const std::string& name) const override;
};
