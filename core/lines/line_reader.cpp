#include "line_reader.h"

#include "aligned_bytes.h"
#include "in_out_error.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr char CarriageReturn = '\r';
constexpr char LineFeed = '\n';
constexpr char EndMark = 26;
} // namespace

LineReader::LineReader(FileSystem& fileSystem)
    : m_fileSystem(fileSystem)
{ }

LineReader::~LineReader() = default;

void LineReader::open(const std::string& name)
{
    if (isOpen())
        close();
    OpenResult opened = m_fileSystem.openForReading(name);
    if (opened.error)
        throw EInOutError(opened.error, name);
    m_file = std::move(opened.file);
    m_name = name;
    m_transfer = std::max(BlockSize, m_file->transferSize() / BlockSize * BlockSize);
    m_position = m_count = 0;
    if (const std::size_t least = m_transfer + 32 * BlockSize; m_capacity < least)
        resizeWindow(least);
    forgetScan();
    m_endSeen = false;
}

void LineReader::resizeWindow(std::size_t capacity)
{
    AlignedBytes window = alignedBytes(capacity + ViewReach);
    if (m_count > 0)
        std::memcpy(window.get(), m_window.get(), m_count);
    m_window = std::move(window);
    m_capacity = capacity;
}

bool LineReader::readBlock()
{
    if (m_endSeen)
        return false;
    if (m_capacity - m_count < m_transfer) {
        // Only the current line is kept, so placed that the next read goes
        // where a cache line begins; a line that fills the window widens it.
        constexpr std::size_t CacheLine = 64;
        const std::size_t unread = m_count - m_position;
        const std::size_t front = (CacheLine - unread % CacheLine) % CacheLine;
        if (front + unread + m_transfer > m_capacity)
            resizeWindow(2 * m_capacity);
        std::memmove(m_window.get() + front, m_window.get() + m_position, unread);
        m_position = front;
        m_count = front + unread;
    }
    forgetScan();
    char* block = m_window.get() + m_count;
    const ReadResult result = m_file->read(std::as_writable_bytes(std::span(block, m_transfer)));
    // A broken pipe is how a pipe's writer going away looks: the end.
    if (result.error && result.error != InOutCode::BrokenPipe) {
        m_position = m_count; // the part of the line read so far is lost
        forgetScan();
        throw EInOutError(result.error, m_name);
    }
    const std::size_t read = result.error ? 0 : result.count;
    // An end mark ends the input as the end of the file does: the block is cut
    // there, so that lines need only be searched for a CR.
    const void* endMark = std::memchr(block, EndMark, read);
    const std::size_t kept = endMark ? static_cast<std::size_t>(static_cast<const char*>(endMark) - block) : read;
    m_count += kept;
    m_endSeen = kept == 0 || kept < read;
    return kept > 0;
}

std::string_view LineReader::takeLine()
{
    // Offsets from m_position, which stays put while the line is read: a block
    // read meanwhile may move the line to the front of the window.
    std::size_t length = 0;
    bool carriageReturn = false;
    while (!carriageReturn && (m_position + length < m_count || readBlock())) {
        const char* line = m_window.get() + m_position;
        const std::size_t unread = m_count - m_position;
        const void* found = std::memchr(line + length, CarriageReturn, unread - length);
        carriageReturn = found != nullptr;
        length = carriageReturn ? static_cast<std::size_t>(static_cast<const char*>(found) - line) : unread;
    }
    std::size_t consumed = length;
    if (carriageReturn) {
        ++consumed;
        if ((m_position + consumed < m_count || readBlock()) && m_window[m_position + consumed] == LineFeed)
            ++consumed;
    }
    const std::string_view line(m_window.get() + m_position, length);
    m_position += consumed;
    forgetScan();
    return line;
}

void LineReader::checkOpen() const
{
    if (!isOpen())
        throw EInOutError(InOutCode::FileNotOpenForInput);
}

void LineReader::readLine(std::string& line)
{
    checkOpen();
    line.assign(takeLine());
}

std::optional<std::string_view> LineReader::nextAnyLine()
{
    checkOpen();
    if (!fillBuffer())
        return std::nullopt;
    return takeLine();
}

bool LineReader::atEnd()
{
    checkOpen();
    return !fillBuffer();
}

void LineReader::close()
{
    if (!isOpen())
        throw EInOutError(InOutCode::FileNotOpen);
    const std::unique_ptr<SystemFile> file = std::move(m_file);
    m_position = m_count = 0;
    forgetScan();
    if (const std::int32_t error = file->close())
        throw EInOutError(error, m_name);
}
