#include "line_reader.h"

#include "in_out_error.h"

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
        throw EInOutError(opened.error);
    m_file = std::move(opened.file);
    m_position = m_count = 0;
    m_endSeen = false;
}

bool LineReader::fillBuffer()
{
    if (m_position < m_count)
        return true;
    if (m_endSeen)
        return false;
    m_position = m_count = 0;
    const ReadResult result = m_file->read(std::as_writable_bytes(std::span(m_buffer)));
    // A broken pipe is how a pipe's writer going away looks: the end.
    if (result.error && result.error != InOutCode::BrokenPipe)
        throw EInOutError(result.error);
    const std::size_t read = result.error ? 0 : result.count;
    // An end mark ends the input as the end of the file does: the block is cut
    // there, so that lines need only be searched for a CR.
    const void* endMark = std::memchr(m_buffer.data(), EndMark, read);
    m_count = endMark ? static_cast<std::size_t>(static_cast<const char*>(endMark) - m_buffer.data()) : read;
    m_endSeen = m_count == 0 || m_count < read;
    return m_count > 0;
}

void LineReader::readLine(std::string& line)
{
    if (!isOpen())
        throw EInOutError(InOutCode::FileNotOpenForInput);
    line.clear();
    while (m_position < m_count || fillBuffer()) {
        const char* begin = m_buffer.data() + m_position;
        const char* end = m_buffer.data() + m_count;
        const void* carriageReturn = std::memchr(begin, CarriageReturn, static_cast<std::size_t>(end - begin));
        const char* stop = carriageReturn ? static_cast<const char*>(carriageReturn) : end;
        line.append(begin, stop);
        m_position += static_cast<std::size_t>(stop - begin);
        if (stop == end)
            continue;
        ++m_position; // the CR
        if (fillBuffer() && m_buffer[m_position] == LineFeed)
            ++m_position;
        return;
    }
}

bool LineReader::atEnd()
{
    if (!isOpen())
        throw EInOutError(InOutCode::FileNotOpenForInput);
    return !fillBuffer();
}

void LineReader::close()
{
    if (!isOpen())
        throw EInOutError(InOutCode::FileNotOpen);
    const std::unique_ptr<SystemFile> file = std::move(m_file);
    if (const std::int32_t error = file->close())
        throw EInOutError(error);
}
