#pragma once

#include "run_options.h"

#include <array>
#include <cstddef>
#include <string_view>

// The six categories of point, in the order of the window's rows.
enum class PointCategory
{
    RF,
    RM,
    TC,
    PP,
    PN,
    ZE,
};

inline constexpr int PointCategoryCount = 6;

// What the program knows of one category, wherever it meets it: the run's
// options, the records of both families, the command line, the window's boxes
// and their stored settings. Texts are UTF-8.
struct CategoryFacts
{
    PointCategory category;
    std::string_view identifier; // the category box's object name; an item of --keep and --speed
    std::string_view speedIdentifier; // the speed-warning box's object name
    std::string_view caption; // the category box's text
    bool RunOptions::*keep; // keep the category's records
    bool RunOptions::*keepSpeedWarning; // keep their speed digit (Pitovan only)
    std::string_view pitovanDigits; // each a type digit (column 16) of the category
    std::array<std::string_view, 2> rumbeloCodes; // type codes (columns 15-16); "" is none
};

inline constexpr std::array<CategoryFacts, PointCategoryCount> CategoryTable {{
    {PointCategory::RF, "RF", "RF1", "Radares fijos", &RunOptions::RF, &RunOptions::RF1, "1", {"06", ""}},
    {PointCategory::RM, "RM", "RM1", "Radares móviles", &RunOptions::RM, &RunOptions::RM1, "2", {"07", ""}},
    {PointCategory::TC, "TC", "TC1", "Tramos controlados", &RunOptions::TC, &RunOptions::TC1, "34", {"08", "0D"}},
    {PointCategory::PP, "PP", "PP1", "Puntos peligrosos", &RunOptions::PP, &RunOptions::PP1, "5", {"09", ""}},
    {PointCategory::PN, "PN", "PN1", "Puntos negros", &RunOptions::PN, &RunOptions::PN1, "7", {"0A", ""}},
    {PointCategory::ZE, "ZE", "ZE1", "Zonas de niños", &RunOptions::ZE, &RunOptions::ZE1, "6", {"0B", ""}},
}};

// The text of every speed-warning box.
inline constexpr std::string_view SpeedWarningCaption = "Avisar límite Velocidad";

constexpr const CategoryFacts& factsOf(PointCategory category)
{
    return CategoryTable[static_cast<std::size_t>(category)];
}

inline constexpr std::array<PointCategory, PointCategoryCount> PointCategories = [] {
    std::array<PointCategory, PointCategoryCount> categories {};
    for (std::size_t i = 0; i < categories.size(); ++i)
        categories[i] = CategoryTable[i].category;
    return categories;
}();

static_assert(
    [] {
        for (std::size_t i = 0; i < CategoryTable.size(); ++i) {
            if (static_cast<std::size_t>(CategoryTable[i].category) != i)
                return false;
        }
        return true;
    }(),
    "the table's rows stand in the order of PointCategory");
