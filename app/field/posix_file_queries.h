#pragma once

#include "file_queries.h"

// The field's questions answered by stat(2), links followed.
class PosixFileQueries final : public FileQueries
{
public:
    bool isExistingNonFolder(const std::string& name) const override;
    bool isExistingFolder(const std::string& name) const override;
};
