// Reads fuzzed bytes with LineReader through the in-memory file system, in
// reads of fuzzed length, with extra atEnd calls, lines taken as copies or as
// views, and at most one failed read.

#include "fake_file_system.h"
#include "in_out_error.h"
#include "line_model.h"
#include "line_reader.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {
constexpr std::int32_t InjectedCode = 1117;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    FakeFileSystem files;
    files.readLimit = input.ConsumeIntegralInRange<std::size_t>(1, 300);
    files.transferSize = input.ConsumeBool() ? 1024 : 0;
    const auto extraAtEnd = input.ConsumeIntegral<std::uint32_t>(); // bit i: ask twice before line i
    const auto asViews = input.ConsumeIntegral<std::uint32_t>(); // bit i: take line i as a view
    if (const int failingRead = input.ConsumeIntegralInRange(0, 24))
        files.failCall(FakeFileSystem::Call::Read, failingRead, InjectedCode);
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    files.files["in"].bytes = bytes;

    LineReader reader(files);
    reader.open("in");
    std::vector<std::string> lines;
    std::string line;
    bool failed = false;
    for (std::size_t rounds = 0;; ++rounds) {
        // Every round consumes a byte or spends the one injected failure.
        require(rounds <= bytes.size() + 1, "reading comes to an end");
        try {
            if (lines.size() < 32 && (extraAtEnd >> lines.size() & 1))
                reader.atEnd();
            if (lines.size() < 32 && (asViews >> lines.size() & 1)) {
                const auto view = reader.nextLine();
                if (!view)
                    break;
                lines.emplace_back(*view);
                continue;
            }
            if (reader.atEnd())
                break;
            reader.readLine(line);
            lines.push_back(line);
        } catch (const EInOutError& error) {
            require(error.code() == InjectedCode, "a failed read raises the system's code");
            require(!failed, "only the injected read fails");
            failed = true;
        }
    }
    for (const std::string& each : lines)
        require(each.find_first_of("\r\x1a") == std::string::npos, "no line holds a CR or an end mark");
    if (!failed)
        require(lines == linesOf(bytes), "the lines are those the rules cut");

    const int reads = files.calls(FakeFileSystem::Call::Read);
    reader.readLine(line);
    require(line.empty() && reader.atEnd(), "past the end come empty lines");
    require(files.calls(FakeFileSystem::Call::Read) == reads, "past the end the system is not read");
    reader.close();
    require(!files.files["in"].heldForReading, "close releases the file");
    return 0;
}
