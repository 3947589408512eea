#pragma once

#include "test_files.h"

#include <filesystem>
#include <string>

// A fresh folder under the system's temporary folder, removed with its contents.
class TemporaryFolder
{
public:
    TemporaryFolder()
        : m_path(makeTemporaryFolder())
    { }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    std::string path(const std::string& name) const { return nameOf(m_path / pathOf(name)); }

    std::string write(const std::string& name, const std::string& bytes) const
    {
        writeFile(path(name), bytes);
        return path(name);
    }

    std::string read(const std::string& name) const { return readFile(path(name)); }

private:
    std::filesystem::path m_path;
};
