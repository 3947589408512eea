#pragma once

#include "test_files.h"

#include <filesystem>
#include <stdexcept>
#include <stdlib.h>
#include <string>

// A fresh folder under the system's temporary folder, removed with its contents.
class TemporaryFolder final
{
public:
    TemporaryFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "cribaxon-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    std::string path(const std::string& name) const { return (m_path / name).string(); }

    std::string write(const std::string& name, const std::string& bytes) const
    {
        writeFile(path(name), bytes);
        return path(name);
    }

    std::string read(const std::string& name) const { return readFile(path(name)); }

private:
    std::filesystem::path m_path;
};
