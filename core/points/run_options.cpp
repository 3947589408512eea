#include "run_options.h"

#include "category_table.h"

bool RunOptions::keeps(PointCategory category) const
{
    return this->*factsOf(category).keep;
}

bool RunOptions::keepsSpeedWarning(PointCategory category) const
{
    return this->*factsOf(category).keepSpeedWarning;
}

void RunOptions::setKeeps(PointCategory category, bool keep)
{
    this->*factsOf(category).keep = keep;
}

void RunOptions::setKeepsSpeedWarning(PointCategory category, bool keep)
{
    this->*factsOf(category).keepSpeedWarning = keep;
}
