#include "point_file.h"

#include <algorithm>

namespace {

// Columns first..last (1-based) of a line, or as many of them as it has.
std::string_view columns(std::string_view line, std::size_t first, std::size_t last)
{
    if (line.size() < first)
        return {};
    return line.substr(first - 1, last - first + 1);
}

bool containsIgnoringCase(std::string_view text, std::string_view lowerNeedle)
{
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::search(text.begin(), text.end(), lowerNeedle.begin(), lowerNeedle.end(),
                       [&](char a, char b) { return lower(a) == b; })
        != text.end();
}

constexpr std::string_view RumbeloSubstring = ".txt";
constexpr std::string_view PitovanSubstring = ".mdb";

} // namespace

std::optional<PointFileKind> kindOfName(std::string_view name)
{
    if (containsIgnoringCase(name, RumbeloSubstring))
        return PointFileKind::Rumbelo;
    if (containsIgnoringCase(name, PitovanSubstring))
        return PointFileKind::Pitovan;
    return std::nullopt;
}

bool sameFamilyNames(std::string_view source, std::string_view destination)
{
    return (containsIgnoringCase(source, RumbeloSubstring) && containsIgnoringCase(destination, RumbeloSubstring))
        || (containsIgnoringCase(source, PitovanSubstring) && containsIgnoringCase(destination, PitovanSubstring));
}

bool headerAccepted(PointFileKind kind, std::string_view firstLine)
{
    return columns(firstLine, 1, 4) == (kind == PointFileKind::Pitovan ? "574C" : "4348");
}

std::optional<PointCategory> pitovanCategory(std::string_view line)
{
    const std::string_view digit = columns(line, 16, 16);
    if (digit.empty())
        return std::nullopt;
    switch (digit.front()) {
    case '1':
        return PointCategory::RF;
    case '2':
        return PointCategory::RM;
    case '3':
    case '4':
        return PointCategory::TC;
    case '5':
        return PointCategory::PP;
    case '6':
        return PointCategory::ZE;
    case '7':
        return PointCategory::PN;
    default:
        return std::nullopt;
    }
}

RecordClass classifyRumbeloRecord(std::string_view line)
{
    if (columns(line, 1, 10) == "FFFFFFFFFF")
        return {true, std::nullopt};
    const std::string_view code = columns(line, 15, 16);
    if (code == "06")
        return {false, PointCategory::RF};
    if (code == "07")
        return {false, PointCategory::RM};
    if (code == "08" || code == "0D")
        return {false, PointCategory::TC};
    if (code == "09")
        return {false, PointCategory::PP};
    if (code == "0A")
        return {false, PointCategory::PN};
    if (code == "0B")
        return {false, PointCategory::ZE};
    return {};
}

void SinVel(std::string_view line, std::string& result)
{
    result.assign(columns(line, 1, 14));
    result += '0';
    result += columns(line, 16, 16);
}

RecordClass classifyRecord(PointFileKind kind, std::string_view line)
{
    return kind == PointFileKind::Pitovan ? RecordClass {false, pitovanCategory(line)} : classifyRumbeloRecord(line);
}
