#include "run_options.h"

#include <array>

namespace {

using Flag = bool RunOptions::*;

// In the order of PointCategory.
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
