#include "point_file.h"

#include <algorithm>
#include <array>
#include <cstdint>

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

// Type digit to record class: a table, because the categories of successive
// records follow no pattern a branch predictor could learn.
constexpr std::array<std::int8_t, 256> PitovanDigitClasses = [] {
    std::array<std::int8_t, 256> classes {};
    classes.fill(NoCategoryClass);
    classes['1'] = static_cast<std::int8_t>(classOf(PointCategory::RF));
    classes['2'] = static_cast<std::int8_t>(classOf(PointCategory::RM));
    classes['3'] = static_cast<std::int8_t>(classOf(PointCategory::TC));
    classes['4'] = static_cast<std::int8_t>(classOf(PointCategory::TC));
    classes['5'] = static_cast<std::int8_t>(classOf(PointCategory::PP));
    classes['6'] = static_cast<std::int8_t>(classOf(PointCategory::ZE));
    classes['7'] = static_cast<std::int8_t>(classOf(PointCategory::PN));
    return classes;
}();

RecordClass pitovanClass(std::string_view line)
{
    return line.size() < 16 ? NoCategoryClass : PitovanDigitClasses[static_cast<unsigned char>(line[15])];
}

RecordClass rumbeloClass(std::string_view line)
{
    if (columns(line, 1, 10) == "FFFFFFFFFF")
        return MarkerClass;
    const std::string_view code = columns(line, 15, 16);
    if (code == "06")
        return classOf(PointCategory::RF);
    if (code == "07")
        return classOf(PointCategory::RM);
    if (code == "08" || code == "0D")
        return classOf(PointCategory::TC);
    if (code == "09")
        return classOf(PointCategory::PP);
    if (code == "0A")
        return classOf(PointCategory::PN);
    if (code == "0B")
        return classOf(PointCategory::ZE);
    return NoCategoryClass;
}

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

RecordClass classifyRecord(PointFileKind kind, std::string_view line)
{
    return kind == PointFileKind::Pitovan ? pitovanClass(line) : rumbeloClass(line);
}
