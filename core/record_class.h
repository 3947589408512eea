#pragma once

#include "category_table.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

enum class PointFileKind
{
    Pitovan,
    Rumbelo,
};

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

namespace RecordClasses {

// Type digits and type codes to record classes, by table look-up rather than
// by branches: the categories of successive records follow no pattern that a
// branch predictor could learn. Both tables are made from the category table.
using ClassByCode = std::array<std::int8_t, 256>;

inline constexpr ClassByCode NoClasses = [] {
    ClassByCode classes {};
    classes.fill(NoCategoryClass);
    return classes;
}();

// A Pitovan type digit is its own index.
inline constexpr ClassByCode PitovanDigitClasses = [] {
    ClassByCode classes = NoClasses;
    for (const CategoryFacts& facts : CategoryTable) {
        for (const char digit : facts.pitovanDigits)
            classes[static_cast<unsigned char>(digit)] = static_cast<std::int8_t>(classOf(facts.category));
    }
    return classes;
}();

// A Rumbelo type code, two upper-case hexadecimal digits, is indexed by its value.
inline constexpr std::array<std::int8_t, 256> HexDigitValues = [] {
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

inline constexpr ClassByCode RumbeloCodeClasses = [] {
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

inline RecordClass pitovan(std::string_view line)
{
    return line.size() < 16 ? NoCategoryClass : PitovanDigitClasses[static_cast<unsigned char>(line[15])];
}

inline RecordClass rumbelo(std::string_view line)
{
    if (line.size() >= 10 && std::memcmp(line.data(), "FFFFFFFFFF", 10) == 0)
        return MarkerClass;
    const int code = line.size() < 16 ? -1 : codeValue(line[14], line[15]);
    return code < 0 ? NoCategoryClass : RumbeloCodeClasses[static_cast<std::size_t>(code)];
}

} // namespace RecordClasses

// Inline: a run classifies every record.
inline RecordClass classifyRecord(PointFileKind kind, std::string_view line)
{
    return kind == PointFileKind::Pitovan ? RecordClasses::pitovan(line) : RecordClasses::rumbelo(line);
}
