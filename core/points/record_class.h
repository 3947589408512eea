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

// A Rumbelo type code, two upper-case hexadecimal digits, is indexed by its
// two digits' values, five bits each: 16 stands for any other character.
inline constexpr int NotHex = 16;

inline constexpr std::array<std::uint8_t, 256> HexDigitValues = [] {
    std::array<std::uint8_t, 256> values {};
    values.fill(NotHex);
    for (int digit = 0; digit < 16; ++digit)
        values[static_cast<unsigned char>("0123456789ABCDEF"[digit])] = static_cast<std::uint8_t>(digit);
    return values;
}();

constexpr std::size_t codeIndex(char high, char low)
{
    return std::size_t {HexDigitValues[static_cast<unsigned char>(high)]} << 5
        | HexDigitValues[static_cast<unsigned char>(low)];
}

inline constexpr std::array<std::int8_t, 32 * 32> RumbeloCodeClasses = [] {
    std::array<std::int8_t, 32 * 32> classes {};
    classes.fill(NoCategoryClass);
    for (const CategoryFacts& facts : CategoryTable) {
        for (const std::string_view code : facts.rumbeloCodes) {
            if (code.empty())
                continue;
            // A code that is not two upper-case hexadecimal digits stops the build here.
            if (code.size() != 2 || HexDigitValues[static_cast<unsigned char>(code[0])] == NotHex
                || HexDigitValues[static_cast<unsigned char>(code[1])] == NotHex)
                throw "not a type code";
            classes[codeIndex(code[0], code[1])] = static_cast<std::int8_t>(classOf(facts.category));
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
    return line.size() < 16 ? NoCategoryClass : RumbeloCodeClasses[codeIndex(line[14], line[15])];
}

} // namespace RecordClasses

// Inline: a run classifies every record.
inline RecordClass classifyRecord(PointFileKind kind, std::string_view line)
{
    return kind == PointFileKind::Pitovan ? RecordClasses::pitovan(line) : RecordClasses::rumbelo(line);
}
