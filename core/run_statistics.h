#pragma once

#include "point_file.h"

#include <array>
#include <cstdint>

// What a completed run did with the records of its source.
struct RunStatistics
{
    struct Category
    {
        std::uint64_t kept = 0; // written, with or without their speed digit
        std::uint64_t dropped = 0;
        std::uint64_t blanked = 0; // kept with their speed digit set to "0"
    };

    std::array<Category, PointCategoryCount> categories {};
    std::uint64_t markersKept = 0;
    std::uint64_t withoutCategory = 0; // dropped: records of no category that are not markers
};

// The records of a source by kind, as read without writing anything.
struct RecordCounts
{
    std::array<std::uint64_t, PointCategoryCount> categories {};
    std::uint64_t markers = 0;
    std::uint64_t withoutCategory = 0;
};
