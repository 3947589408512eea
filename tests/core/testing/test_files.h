#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

// Files and lines as the tests of every layer set them up and read them back.

// A name as the core holds it (UTF-8 on Windows too) as a path of the system, and back.
std::filesystem::path pathOf(const std::string& name);
std::string nameOf(const std::filesystem::path& path);

// A new folder under the system's temporary folder, only the caller's.
std::filesystem::path makeTemporaryFolder();

// The whole file; empty when there is none.
std::string readFile(const std::string& path);

// The file made anew with exactly these bytes.
void writeFile(const std::string& path, std::string_view bytes);

// Each line followed by CR LF, as the line files write them.
std::string crlf(std::initializer_list<std::string> lines);
