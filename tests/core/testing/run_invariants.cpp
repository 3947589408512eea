#include "run_invariants.h"

#include "in_out_error.h"
#include "line_model.h"
#include "recording_reporter.h"
#include "run_generation.h"

#include <optional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> linesOfOutput(const std::string& bytes)
{
    require(bytes.size() >= 2 && bytes.ends_with("\r\n"), "the destination ends with CR LF");
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t cr = bytes.find('\r'); cr != std::string::npos; cr = bytes.find('\r', start)) {
        require(cr + 1 < bytes.size() && bytes[cr + 1] == '\n', "every line of the destination ends in CR LF");
        lines.push_back(bytes.substr(start, cr - start));
        start = cr + 2;
    }
    return lines;
}

// What the options keep of one record, if anything.
std::optional<std::string> kept(PointFileKind kind, const RunOptions& options, const std::string& record)
{
    const RecordClass recordClass = classifyRecord(kind, record);
    if (recordClass == MarkerClass)
        return record;
    if (recordClass == NoCategoryClass || !options.keeps(PointCategories[recordClass]))
        return std::nullopt;
    const bool blank = kind == PointFileKind::Pitovan && !options.keepsSpeedWarning(PointCategories[recordClass]);
    return blank ? SinVel(record) : record;
}

} // namespace

void checkRunInvariants(std::string_view bytes, const RunOptions& options, const RunConditions& conditions)
{
    const PointFileKind kind = conditions.kind;
    FakeFileSystem files;
    files.readLimit = conditions.readLimit;
    files.transferSize = conditions.transferSize;
    if (conditions.failingCall)
        files.failCall(*conditions.failingCall, conditions.failingCallNumber, InjectedCode);
    const bool destinationExisted = conditions.destinationExisted;

    const bool rumbelo = kind == PointFileKind::Rumbelo;
    const std::string source = rumbelo ? "in.txt" : "in.mdb";
    const std::string destination = rumbelo ? "out.txt" : "out.mdb";
    files.files[source].bytes = bytes;
    const std::string older = "an older destination";
    if (destinationExisted)
        files.files[destination].bytes = older;

    RecordingReporter reporter;
    std::optional<RunOutcome> outcome;
    try {
        outcome = RunGeneration(source, destination, options, reporter, files);
    } catch (const EInOutError& error) {
        require(error.code() == InjectedCode, "a failure leaves with its own code");
    }

    for (const auto& [name, stored] : files.files)
        require(!stored.heldForReading && !stored.heldForWriting, "both files are closed on every way out");
    require(files.files[source].bytes == bytes, "the source is never written");

    const std::vector<std::string> in = linesOf(bytes);
    const std::string header = in.empty() ? std::string() : in.front();
    if (!headerAccepted(kind, header)) {
        require(!outcome || *outcome == RunOutcome::HeaderRejected, "a wrong header is rejected");
        if (outcome)
            require(reporter.events
                        == std::vector<std::string> {std::string(rumbelo ? RunMessage::RumbeloHeaderRejected
                                                                         : RunMessage::PitovanHeaderRejected)},
                    "a wrong header is told with its family's message");
        require(destinationExisted ? files.files.at(destination).bytes == older : !files.files.contains(destination),
                "a wrong header leaves the destination as it was");
        return;
    }
    if (!outcome) {
        require(reporter.events.empty(), "a failed run tells no completion");
        return;
    }
    require(*outcome == RunOutcome::Completed, "a good header completes the run");
    require(reporter.events == std::vector<std::string> {std::string(RunMessage::Completed)},
            "a completed run tells its completion once");

    const std::vector<std::string> out = linesOfOutput(files.files.at(destination).bytes);
    const std::size_t headers = rumbelo ? 2 : 1;
    require(out.size() >= headers && out[0] == header, "the header is copied unchanged");
    if (rumbelo)
        require(out[1] == (in.size() > 1 ? in[1] : std::string()), "the second Rumbelo header is copied unchanged");

    // Each record written is a later input record, unchanged or (Pitovan) blanked,
    // and exactly the records that the options keep are written.
    std::size_t next = headers;
    std::vector<std::string> expected(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(headers));
    for (std::size_t i = headers; i < out.size(); ++i) {
        while (next < in.size() && out[i] != in[next] && (rumbelo || out[i] != SinVel(in[next])))
            ++next;
        require(next < in.size(), "the records written are a subsequence of the source's, or their SinVel");
        ++next;
    }
    for (std::size_t i = headers; i < in.size(); ++i) {
        if (auto record = kept(kind, options, in[i]))
            expected.push_back(std::move(*record));
    }
    require(out == expected, "the records written are those the options keep");
}
