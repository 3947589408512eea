#pragma once

#include "system_file.h"
#include "windows_calls.h"

#include <cstddef>

// Files of Windows, through its wide-character calls: names go from UTF-8 to
// UTF-16 unchanged otherwise, so that Windows alone decides what a name means
// (drive letters, "\\?\", reserved devices, a final dot or blank). The sharing
// rule is the system's own: every file is opened letting others read it and
// nobody write it, which also protects the source from the destination
// whatever spelling names it, and from the program's redirected output.
//
// The line files read any file, and write a disk file, in transfers of many
// blocks; a device or a pipe that is written gets each block. close() flushes
// a written disk file to the disk first.
class WindowsFileSystem final : public FileSystem
{
public:
    static constexpr std::size_t DefaultChunk = 128 * 1024;

    explicit WindowsFileSystem(const WindowsCalls& calls, std::size_t chunk = DefaultChunk)
        : m_calls(calls)
        , m_chunk(chunk)
    { }
    WindowsFileSystem(const WindowsFileSystem&) = delete;
    WindowsFileSystem& operator=(const WindowsFileSystem&) = delete;

    OpenResult openForReading(const std::string& name) override;
    OpenResult createForWriting(const std::string& name) override;

private:
    OpenResult open(const std::string& name, bool reading);

    const WindowsCalls& m_calls;
    const std::size_t m_chunk;
};
