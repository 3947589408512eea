#pragma once

#include "category_table.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

enum class PointFileKind
{
    Pitovan,
    Rumbelo,
};

// ".txt" anywhere in the name (any letter case) makes it Rumbelo, else ".mdb" Pitovan.
std::optional<PointFileKind> kindOfName(std::string_view name);
// Whether the names hold the same one of the two family substrings.
bool sameFamilyNames(std::string_view source, std::string_view destination);
bool headerAccepted(PointFileKind kind, std::string_view firstLine);

// What a record is, as one number that indexes tables: the number of its
// category, or one of the two classes below.
using RecordClass = int;
inline constexpr RecordClass MarkerClass = PointCategoryCount; // Rumbelo only
inline constexpr RecordClass NoCategoryClass = PointCategoryCount + 1;
inline constexpr int RecordClassCount = PointCategoryCount + 2;

constexpr RecordClass classOf(PointCategory category)
{
    return static_cast<RecordClass>(category);
}
RecordClass classifyRecord(PointFileKind kind, std::string_view line);

// A Pitovan record with its speed digit set to "0" and the tail after the type
// digit dropped: columns 1-14, "0", column 16. Built in the caller's buffer, as
// a run does for each record, without allocating; inline for the same reason.
inline constexpr std::size_t SinVelMaximumSize = 16;
inline std::string_view SinVel(std::string_view line, std::array<char, SinVelMaximumSize>& buffer)
{
    if (line.size() >= SinVelMaximumSize) {
        std::memcpy(buffer.data(), line.data(), SinVelMaximumSize);
        buffer[14] = '0';
        return {buffer.data(), SinVelMaximumSize};
    }
    const std::size_t kept = std::min<std::size_t>(line.size(), 14);
    std::memcpy(buffer.data(), line.data(), kept);
    buffer[kept] = '0';
    return {buffer.data(), kept + 1};
}
inline std::string SinVel(std::string_view line)
{
    std::array<char, SinVelMaximumSize> buffer;
    return std::string(SinVel(line, buffer));
}
