#pragma once

#include "file_queries.h"

#include <algorithm>
#include <string>
#include <vector>

// Answers from a fixed list of files and folders.
class FakeFileQueries final : public FileQueries
{
public:
    FakeFileQueries(std::vector<std::string> files, std::vector<std::string> folders)
        : m_files(std::move(files))
        , m_folders(std::move(folders))
    { }

    bool isExistingNonFolder(const std::string& name) const override { return std::ranges::count(m_files, name) > 0; }
    bool isExistingFolder(const std::string& name) const override { return std::ranges::count(m_folders, name) > 0; }

private:
    std::vector<std::string> m_files;
    std::vector<std::string> m_folders;
};
