#pragma once

#include "record_tally.h"

#include <string>

// The figures of --summary and --count: one line per category, then the
// Rumbelo markers and the records of no category, each line the identifier,
// the figures and a caption, separated by tabs.

// Records kept, dropped and kept without their speed digit.
std::string summaryText(const RecordTally& tally);

// Records in the source.
std::string countText(const RecordTally& tally);
