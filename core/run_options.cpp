#include "run_options.h"

bool RunOptions::keeps(PointCategory category) const
{
    switch (category) {
    case PointCategory::RF:
        return RF;
    case PointCategory::RM:
        return RM;
    case PointCategory::TC:
        return TC;
    case PointCategory::PP:
        return PP;
    case PointCategory::PN:
        return PN;
    case PointCategory::ZE:
        return ZE;
    }
    return false;
}

bool RunOptions::keepsSpeedWarning(PointCategory category) const
{
    switch (category) {
    case PointCategory::RF:
        return RF1;
    case PointCategory::RM:
        return RM1;
    case PointCategory::TC:
        return TC1;
    case PointCategory::PP:
        return PP1;
    case PointCategory::PN:
        return PN1;
    case PointCategory::ZE:
        return ZE1;
    }
    return false;
}
