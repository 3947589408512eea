#pragma once

#include <string>

// What the field's rules ask of the file system; each front end answers from its own system.
class FileQueries
{
public:
    virtual ~FileQueries() = default;

    // Whether name, unchanged, names an existing entry that is not a folder.
    virtual bool isExistingNonFolder(const std::string& name) const = 0;
    virtual bool isExistingFolder(const std::string& name) const = 0;
};
