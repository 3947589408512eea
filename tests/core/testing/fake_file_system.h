#pragma once

#include "system_file.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// An in-memory file system that records every call and fails the ones it is told to.
class FakeFileSystem final : public FileSystem
{
public:
    struct Stored
    {
        std::string bytes;
        FileKind kind = FileKind::Disk;
        bool heldForReading = false;
        bool heldForWriting = false;
    };

    enum class Call
    {
        Read,
        Write,
        Close,
    };

    std::map<std::string, Stored> files;

    // Fails the n-th (1-based) call of a kind, counted over all files, with code.
    void failCall(Call call, int n, std::int32_t code) { m_failures[{call, n}] = code; }
    void failOpen(const std::string& name, std::int32_t code) { m_openFailures[name] = code; }
    // Reads hand over at most this many bytes however many are asked for.
    std::size_t readLimit = SIZE_MAX;
    // What every file answers to transferSize().
    std::size_t transferSize = 0;

    int calls(Call call) const { return m_counts[static_cast<int>(call)]; }
    // Sizes of the writes the system received, in order.
    std::vector<std::size_t> writeSizes;
    std::vector<std::size_t> readRequests;

    OpenResult openForReading(const std::string& name) override;
    OpenResult createForWriting(const std::string& name) override;

private:
    friend class FakeFile;
    std::int32_t count(Call call);

    std::map<std::pair<Call, int>, std::int32_t> m_failures;
    std::map<std::string, std::int32_t> m_openFailures;
    int m_counts[3] {};
};
