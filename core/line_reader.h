#pragma once

#include "system_file.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    // The next line, or nothing at the end: what atEnd() and then readLine()
    // give, without copying the line. The view lasts until the next call on
    // the reader. Inline for the common case, once per record of a run: a line
    // whose end lies within the bytes already read.
    std::optional<std::string_view> nextLine()
    {
        if (m_position < m_count) {
            const char* line = m_window.data() + m_position;
            const char* end = m_window.data() + m_count;
            const auto* carriageReturn = static_cast<const char*>(std::memchr(line, '\r', end - line));
            if (carriageReturn && carriageReturn + 1 < end) {
                const auto length = static_cast<std::size_t>(carriageReturn - line);
                m_position += length + (carriageReturn[1] == '\n' ? 2 : 1);
                return std::string_view(line, length);
            }
        }
        return nextAnyLine();
    }
    bool atEnd();
    void close();

    bool isOpen() const noexcept { return m_file != nullptr; }

private:
    // Makes an unread byte available unless the end has been seen; false at the end.
    bool fillBuffer() { return m_position < m_count || readBlock(); }
    // Reads the next block after the bytes already read; false at the end.
    bool readBlock();
    std::optional<std::string_view> nextAnyLine();
    std::string_view takeLine();
    void checkOpen() const;

    FileSystem& m_fileSystem;
    std::unique_ptr<SystemFile> m_file;
    std::string m_name;
    // The blocks read so far that still hold unread bytes, one after another,
    // so that a line crossing from one block into the next is not copied. It
    // grows only for a line longer than it.
    std::vector<char> m_window = std::vector<char>(32 * BlockSize);
    std::size_t m_position = 0; // the next unread byte, where the current line begins
    std::size_t m_count = 0; // the bytes read
    bool m_endSeen = false;
};
