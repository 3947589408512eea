#pragma once

#include "point_file.h"
#include "run_statistics.h"

#include <string>

// What a completed run did, one line per category, for --summary.
std::string summaryText(const RunStatistics& statistics, PointFileKind kind);

// The records of a source, one line per category, for --count.
std::string countText(const RecordCounts& counts, PointFileKind kind);
