#include "category_table.h"
#include "run_options.h"

#include <gtest/gtest.h>

namespace {

using Flag = bool RunOptions::*;
using Setter = void (RunOptions::*)(PointCategory, bool);

// The twelve boxes by their own names, independently of the setters' tables.
const Flag Boxes[]
    = {&RunOptions::RF,  &RunOptions::RM,  &RunOptions::TC,  &RunOptions::PP,  &RunOptions::PN,  &RunOptions::ZE,
       &RunOptions::RF1, &RunOptions::RM1, &RunOptions::TC1, &RunOptions::PP1, &RunOptions::PN1, &RunOptions::ZE1};

struct BoxCase
{
    const char* name;
    Setter setter;
    PointCategory category;
    Flag box;
};

class OneBox : public testing::TestWithParam<BoxCase>
{
};

TEST_P(OneBox, SetsItsOwnFlagAndNoOther)
{
    const BoxCase& row = GetParam();
    RunOptions options;
    (options.*row.setter)(row.category, true);
    for (std::size_t i = 0; i < std::size(Boxes); ++i)
        EXPECT_EQ(options.*Boxes[i], Boxes[i] == row.box) << "box " << i;
    const bool keep = row.setter == &RunOptions::setKeeps;
    for (const PointCategory category : PointCategories) {
        EXPECT_EQ(options.keeps(category), keep && category == row.category);
        EXPECT_EQ(options.keepsSpeedWarning(category), !keep && category == row.category);
    }
    (options.*row.setter)(row.category, false);
    EXPECT_FALSE(options.*row.box);
}

constexpr Setter Keep = &RunOptions::setKeeps;
constexpr Setter Speed = &RunOptions::setKeepsSpeedWarning;
using enum PointCategory;

INSTANTIATE_TEST_SUITE_P(
    , OneBox,
    testing::Values(BoxCase {"RF", Keep, RF, &RunOptions::RF}, BoxCase {"RM", Keep, RM, &RunOptions::RM},
                    BoxCase {"TC", Keep, TC, &RunOptions::TC}, BoxCase {"PP", Keep, PP, &RunOptions::PP},
                    BoxCase {"PN", Keep, PN, &RunOptions::PN}, BoxCase {"ZE", Keep, ZE, &RunOptions::ZE},
                    BoxCase {"RF1", Speed, RF, &RunOptions::RF1}, BoxCase {"RM1", Speed, RM, &RunOptions::RM1},
                    BoxCase {"TC1", Speed, TC, &RunOptions::TC1}, BoxCase {"PP1", Speed, PP, &RunOptions::PP1},
                    BoxCase {"PN1", Speed, PN, &RunOptions::PN1}, BoxCase {"ZE1", Speed, ZE, &RunOptions::ZE1}),
    [](const auto& info) { return info.param.name; });

} // namespace
