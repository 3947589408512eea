#pragma once

#include "category_table.h"
#include "record_class.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

// ".txt" anywhere in the name (any letter case) makes it Rumbelo, else ".mdb" Pitovan.
std::optional<PointFileKind> kindOfName(std::string_view name);
// Whether the names hold the same one of the two family substrings.
bool sameFamilyNames(std::string_view source, std::string_view destination);
bool headerAccepted(PointFileKind kind, std::string_view firstLine);

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
