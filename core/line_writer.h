#pragma once

#include "system_file.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

// Writes a file line by line, each line followed by CR LF. The bytes reach the
// file in blocks, and after every line when the file is a character device.
// Failures raise EInOutError.
class LineWriter final
{
public:
    static constexpr std::size_t BlockSize = 128;

    explicit LineWriter(FileSystem& fileSystem = systemFileSystem());
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;
    // Releases a file still open; its unwritten bytes are dropped.
    ~LineWriter();

    // Closes a file still open first, as close() does.
    void create(const std::string& name);
    // Inline for the common case, once per record of a run: a line that fits
    // in what is left of the block, of an ordinary file.
    void writeLine(std::string_view line)
    {
        if (line.size() + 2 < BlockSize - m_count && !m_pushEachLine && isOpen()) {
            char* out = m_buffer.data() + m_count;
            std::memcpy(out, line.data(), line.size());
            std::memcpy(out + line.size(), "\r\n", 2);
            m_count += line.size() + 2;
            return;
        }
        writeAnyLine(line);
    }
    void close();

    bool isOpen() const noexcept { return m_file != nullptr; }

private:
    // Also a line that fills the block, a character device, a closed writer.
    void writeAnyLine(std::string_view line);
    // Appends bytes, handing each full block to the system. Returns the code of
    // the first failed hand-over (the rest of the bytes are skipped) or 0.
    std::int32_t append(std::string_view bytes);
    std::int32_t handOver();

    FileSystem& m_fileSystem;
    std::unique_ptr<SystemFile> m_file;
    std::string m_name;
    std::array<char, BlockSize> m_buffer {};
    std::size_t m_count = 0;
    bool m_pushEachLine = false;
};
