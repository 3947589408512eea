#include "run_options.h"

#include <array>

namespace {

using Flag = bool RunOptions::*;

// The one place where a category meets its two boxes; in the order of PointCategory.
constexpr std::array<Flag, PointCategoryCount> KeepFlags {&RunOptions::RF, &RunOptions::RM, &RunOptions::TC,
                                                          &RunOptions::PP, &RunOptions::PN, &RunOptions::ZE};
constexpr std::array<Flag, PointCategoryCount> SpeedFlags {&RunOptions::RF1, &RunOptions::RM1, &RunOptions::TC1,
                                                           &RunOptions::PP1, &RunOptions::PN1, &RunOptions::ZE1};

} // namespace

bool RunOptions::keeps(PointCategory category) const
{
    return this->*KeepFlags[static_cast<std::size_t>(category)];
}

bool RunOptions::keepsSpeedWarning(PointCategory category) const
{
    return this->*SpeedFlags[static_cast<std::size_t>(category)];
}

void RunOptions::setKeeps(PointCategory category, bool keep)
{
    this->*KeepFlags[static_cast<std::size_t>(category)] = keep;
}

void RunOptions::setKeepsSpeedWarning(PointCategory category, bool keep)
{
    this->*SpeedFlags[static_cast<std::size_t>(category)] = keep;
}
