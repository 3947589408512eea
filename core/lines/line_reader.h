#pragma once

#include "aligned_bytes.h"
#include "system_file.h"
#include "wide_bytes.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// Reads a file as lines of bytes: a line ends at CR LF or a lone CR, the input
// ends at the first byte 26 or at the end of the file. Failures raise EInOutError.
class LineReader final
{
public:
    static constexpr std::size_t BlockSize = 128;
    // A view that nextLine() gives may be read this far from its start, past
    // its end too: the reader's own bytes stand there.
    static constexpr std::size_t ViewReach = 64;

    explicit LineReader(FileSystem& fileSystem);
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
    // the reader.
    std::optional<std::string_view> nextLine()
    {
        std::optional<std::string_view> taken;
        takeLines([&](std::string_view line) {
            const bool first = !taken;
            if (first)
                taken = line;
            return first;
        });
        return taken ? taken : nextAnyLine();
    }
    // Offers take the lines whose end, and the byte after it, lie within the
    // bytes already read, one after another as nextLine() would give them,
    // until take declines one, which stays unread; take must not throw. The
    // views last until the next call on the reader. Inline, with the reader's
    // place held in locals, for a run's loop over its records; Wide finds the
    // CRs (see wide_bytes.h).
    template <typename Wide = WideBytes, typename Take> void takeLines(Take&& take)
    {
        const char* const window = m_window.get();
        // A CR among the bytes read needs the byte after it, to know its line end.
        const std::size_t scannable = m_count > 0 ? m_count - 1 : 0;
        std::size_t position = m_position;
        std::size_t scanned = m_scanned;
        std::uint64_t found = m_carriageReturns;
        for (;;) {
            while (found == 0 && scanned < scannable) {
                found = Wide::carriageReturns(window + scanned);
                if (const std::size_t valid = scannable - scanned; valid < ScanWidth)
                    found &= (std::uint64_t {1} << valid) - 1;
                scanned += ScanWidth;
            }
            if (found == 0)
                break;
            const std::size_t end = scanned - ScanWidth + static_cast<std::size_t>(std::countr_zero(found));
            if (!take(std::string_view(window + position, end - position)))
                break;
            found &= found - 1;
            position = end + (window[end + 1] == '\n' ? 2 : 1);
        }
        m_position = position;
        m_scanned = scanned;
        m_carriageReturns = found;
    }
    bool atEnd();
    void close();

    bool isOpen() const noexcept { return m_file != nullptr; }

private:
    static constexpr std::size_t ScanWidth = 64;
    static_assert(ViewReach >= ScanWidth);

    // Makes an unread byte available unless the end has been seen; false at the end.
    bool fillBuffer() { return m_position < m_count || readBlock(); }
    // Reads the next transfer after the bytes already read; false at the end.
    bool readBlock();
    void resizeWindow(std::size_t capacity);
    // The scan starts again at the current line.
    void forgetScan()
    {
        m_scanned = m_position;
        m_carriageReturns = 0;
    }
    std::optional<std::string_view> nextAnyLine();
    std::string_view takeLine();
    void checkOpen() const;

    FileSystem& m_fileSystem;
    std::unique_ptr<SystemFile> m_file;
    std::string m_name;
    std::size_t m_transfer = BlockSize; // the bytes of one read
    // The bytes read that are still needed: the current line, moved to the
    // front when the next transfer would not fit after it, and what the reads
    // brought after it. It holds a transfer and a line of 32 blocks, and grows
    // only for a longer line. ViewReach bytes more stand after its capacity.
    AlignedBytes m_window;
    std::size_t m_capacity = 0;
    std::size_t m_position = 0; // the next unread byte, where the current line begins
    std::size_t m_count = 0; // the bytes read
    // The CRs scanned and not yet taken, as bits of the ScanWidth bytes that
    // end at m_scanned; no CR stands between m_position and those bytes. The
    // last byte read is never scanned.
    std::size_t m_scanned = 0;
    std::uint64_t m_carriageReturns = 0;
    bool m_endSeen = false;
};
