#pragma once

#include "line_reader.h"
#include "line_writer.h"
#include "point_file.h"
#include "run_outcome.h"
#include "run_reporter.h"

#include <exception>
#include <optional>
#include <string>
#include <string_view>

// The steps every reading of a source goes through, whether it writes a
// destination or only counts.

// The family of the source name; a name of no family is told to the user.
std::optional<PointFileKind> sourceKind(std::string_view sourceName, RunReporter& reporter);

// Whether the first line suits the family; a wrong one is told to the user.
bool headerAcceptedOrTold(PointFileKind kind, std::string_view firstLine, RunReporter& reporter);

// Closes the source, then the destination if one is open; the first failure,
// of the work before or of a close, is the one that leaves.
void closeAfter(std::exception_ptr failure, LineReader& source, LineWriter* destination = nullptr);

// Reads the header of the open source and, when it suits the family, hands it
// to work, which goes on reading; then closes the files as closeAfter does.
template <typename Work>
RunOutcome withCheckedHeader(PointFileKind kind, LineReader& source, LineWriter* destination, RunReporter& reporter,
                             Work&& work)
{
    RunOutcome outcome = RunOutcome::Completed;
    std::exception_ptr failure;
    try {
        std::string header;
        source.readLine(header);
        if (headerAcceptedOrTold(kind, header, reporter))
            work(header);
        else
            outcome = RunOutcome::HeaderRejected;
    } catch (...) {
        failure = std::current_exception();
    }
    closeAfter(failure, source, destination);
    return outcome;
}
