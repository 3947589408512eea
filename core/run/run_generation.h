#pragma once

#include "record_tally.h"
#include "run_options.h"
#include "run_outcome.h"
#include "run_reporter.h"
#include "system_file.h"

#include <string>

// Writes to the destination the headers of the source and the records the
// options keep. Every outcome but a file failure is told through the reporter;
// a file failure leaves as EInOutError once both files are closed.
// The names go to the file system as they are given.
// After a completed run, the tally (when given) tells what became of each record.
RunOutcome RunGeneration(const std::string& sourceName, const std::string& destinationName, const RunOptions& options,
                         RunReporter& reporter, FileSystem& fileSystem, RecordTally* tally = nullptr);

// Counts the records of a source by class, writing nothing: the run's reading
// with every record dropped. Names and headers are checked, and told, as a run
// does; file failures leave as EInOutError. The tally is set once counted.
RunOutcome countRecords(const std::string& sourceName, RecordTally& tally, RunReporter& reporter,
                        FileSystem& fileSystem);
