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

// Type digits and type codes to record classes, by table look-up rather than
// by branches: the categories of successive records follow no pattern that a
// branch predictor could learn. Both tables are made from the category table.
using ClassByCode = std::array<std::int8_t, 256>;

constexpr ClassByCode NoClasses = [] {
    ClassByCode classes {};
    classes.fill(NoCategoryClass);
    return classes;
}();

// A Pitovan type digit is its own index.
constexpr ClassByCode PitovanDigitClasses = [] {
    ClassByCode classes = NoClasses;
    for (const CategoryFacts& facts : CategoryTable) {
        for (const char digit : facts.pitovanDigits)
            classes[static_cast<unsigned char>(digit)] = static_cast<std::int8_t>(classOf(facts.category));
    }
    return classes;
}();

// A Rumbelo type code, two upper-case hexadecimal digits, is indexed by its value.
constexpr std::array<std::int8_t, 256> HexDigitValues = [] {
    std::array<std::int8_t, 256> values {};
    values.fill(-1);
    for (int digit = 0; digit < 16; ++digit)
        values[static_cast<unsigned char>("0123456789ABCDEF"[digit])] = static_cast<std::int8_t>(digit);
    return values;
}();

constexpr int codeValue(char high, char low)
{
    const int highValue = HexDigitValues[static_cast<unsigned char>(high)];
    const int lowValue = HexDigitValues[static_cast<unsigned char>(low)];
    return (highValue | lowValue) < 0 ? -1 : highValue * 16 + lowValue;
}

constexpr ClassByCode RumbeloCodeClasses = [] {
    ClassByCode classes = NoClasses;
    for (const CategoryFacts& facts : CategoryTable) {
        for (const std::string_view code : facts.rumbeloCodes) {
            // A code that is not two upper-case hexadecimal digits stops the build here.
            if (!code.empty())
                classes[static_cast<std::size_t>(codeValue(code.at(0), code.at(1)))]
                    = static_cast<std::int8_t>(classOf(facts.category));
        }
    }
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
    const int code = line.size() < 16 ? -1 : codeValue(line[14], line[15]);
    return code < 0 ? NoCategoryClass : RumbeloCodeClasses[static_cast<std::size_t>(code)];
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
