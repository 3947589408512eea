#pragma once

#include "point_file.h"

#include <array>
#include <cstdint>

// What a reading of a source did with its records, class by class. A count
// keeps nothing, so there every record is a dropped one.
struct RecordTally
{
    struct Records
    {
        std::uint64_t kept = 0; // written, with or without their speed digit
        std::uint64_t dropped = 0;
        std::uint64_t blanked = 0; // kept with their speed digit set to "0"

        std::uint64_t total() const { return kept + dropped; }
    };

    PointFileKind kind = PointFileKind::Pitovan;
    std::array<Records, RecordClassCount> classes {}; // by RecordClass
};
