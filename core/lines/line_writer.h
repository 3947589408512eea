#pragma once

#include "aligned_bytes.h"
#include "system_file.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>

// Writes a file line by line, each line followed by CR LF. The bytes reach the
// file in blocks, and after every line when the file is a character device.
// Failures raise EInOutError.
class LineWriter final
{
public:
    static constexpr std::size_t BlockSize = 128;

    explicit LineWriter(FileSystem& fileSystem);
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
        if (m_count + line.size() + 2 < m_roomyBlock) {
            char* out = m_buffer.get() + m_count;
            std::memcpy(out, line.data(), line.size());
            std::memcpy(out + line.size(), "\r\n", 2);
            m_count += line.size() + 2;
            return;
        }
        writeAnyLine(line);
    }
    // The rest of the block, where lines may be put straight in as writeLine()
    // puts them, as long as the block does not fill up; empty for a character
    // device or a closed writer. Then commit() the bytes put there.
    std::span<char> room() { return {m_buffer.get() + m_count, m_roomyBlock - std::min(m_roomyBlock, m_count)}; }
    void commit(std::size_t bytes) { m_count += bytes; }
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
    AlignedBytes m_buffer; // one block: as many bytes as one transfer of the file
    std::size_t m_blockSize = 0;
    std::size_t m_count = 0;
    std::size_t m_roomyBlock = 0; // the block's size where lines may go straight in: an open ordinary file
    bool m_pushEachLine = false;
};
