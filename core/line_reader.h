#pragma once

#include "system_file.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>

// Reads a file as lines of bytes: a line ends at CR LF or a lone CR, the input
// ends at the first byte 26 or at the end of the file. Failures raise EInOutError.
class LineReader final
{
public:
    static constexpr std::size_t BlockSize = 128;

    explicit LineReader(FileSystem& fileSystem = systemFileSystem());
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;
    ~LineReader();

    // Closes a file still open first, as close() does.
    void open(const std::string& name);
    // Replaces line with the next line; at the end of the input, with the empty line.
    void readLine(std::string& line);
    std::string readLine()
    {
        std::string line;
        readLine(line);
        return line;
    }
    bool atEnd();
    void close();

    bool isOpen() const noexcept { return m_file != nullptr; }

private:
    // Makes an unread byte available unless the end has been seen; false at the end.
    bool fillBuffer();

    FileSystem& m_fileSystem;
    std::unique_ptr<SystemFile> m_file;
    std::array<char, BlockSize> m_buffer {};
    std::size_t m_position = 0;
    std::size_t m_count = 0;
    bool m_endSeen = false;
};
