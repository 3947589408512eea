#pragma once

#include "point_file.h"
#include "run_statistics.h"

#include <string>

// The figures of --summary and --count: one line per category, then the
// Rumbelo markers and the records of no category, each line the identifier,
// the figures and a caption, separated by tabs.

// Records kept, dropped and kept without their speed digit.
std::string summaryText(const RunStatistics& statistics, PointFileKind kind);

// Records in the source.
std::string countText(const RecordCounts& counts, PointFileKind kind);
