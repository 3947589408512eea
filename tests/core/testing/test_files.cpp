#include "test_files.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <stdlib.h>

#ifdef _WIN32
// Windows' narrow names are in its code page: a name goes through UTF-8's own type.
std::filesystem::path pathOf(const std::string& name)
{
    return std::u8string(name.begin(), name.end());
}

std::string nameOf(const std::filesystem::path& path)
{
    const std::u8string name = path.u8string();
    return {name.begin(), name.end()};
}

// MinGW has no mkdtemp; a folder that exists already is another's.
std::filesystem::path makeTemporaryFolder()
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path folder
            = std::filesystem::temp_directory_path() / ("cribaxon-" + std::to_string(random()));
        if (std::filesystem::create_directory(folder))
            return folder;
    }
    throw std::runtime_error("no temporary folder could be made");
}
#else
std::filesystem::path pathOf(const std::string& name)
{
    return name;
}

std::string nameOf(const std::filesystem::path& path)
{
    return path.string();
}

std::filesystem::path makeTemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "cribaxon-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    return pattern;
}
#endif

std::string readFile(const std::string& path)
{
    std::ifstream in(pathOf(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeFile(const std::string& path, std::string_view bytes)
{
    std::ofstream out(pathOf(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string crlf(std::initializer_list<std::string> lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes.append(line).append("\r\n");
    return bytes;
}
