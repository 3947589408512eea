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
