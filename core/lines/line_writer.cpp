#include "line_writer.h"

#include "in_out_error.h"

#include <algorithm>
#include <cstring>

LineWriter::LineWriter(FileSystem& fileSystem)
    : m_fileSystem(fileSystem)
{ }

LineWriter::~LineWriter() = default;

void LineWriter::create(const std::string& name)
{
    if (isOpen())
        close();
    OpenResult created = m_fileSystem.createForWriting(name);
    if (created.error)
        throw EInOutError(created.error, name);
    m_file = std::move(created.file);
    m_name = name;
    m_pushEachLine = m_file->kind() == FileKind::CharacterDevice;
    if (const std::size_t size = std::max(BlockSize, m_file->transferSize() / BlockSize * BlockSize);
        size != m_blockSize) {
        m_buffer = alignedBytes(size);
        m_blockSize = size;
    }
    m_roomyBlock = m_pushEachLine ? 0 : m_blockSize;
    m_count = 0;
}

void LineWriter::writeAnyLine(std::string_view line)
{
    if (!isOpen())
        throw EInOutError(InOutCode::FileNotOpenForOutput);
    std::int32_t error = append(line);
    const std::int32_t endError = append("\r\n");
    if (!error)
        error = endError;
    if (m_pushEachLine && m_count > 0) {
        const std::int32_t pushError = handOver();
        if (!error)
            error = pushError;
    }
    if (error)
        throw EInOutError(error, m_name);
}

void LineWriter::close()
{
    if (!isOpen())
        throw EInOutError(InOutCode::FileNotOpen);
    // A failed hand-over leaves the writer open with an empty buffer, so that
    // a second close releases the file.
    if (m_count > 0) {
        if (const std::int32_t error = handOver())
            throw EInOutError(error, m_name);
    }
    const std::unique_ptr<SystemFile> file = std::move(m_file);
    m_roomyBlock = 0;
    if (const std::int32_t error = file->close())
        throw EInOutError(error, m_name);
}

std::int32_t LineWriter::append(std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::size_t count = std::min(bytes.size(), m_blockSize - m_count);
        std::memcpy(m_buffer.get() + m_count, bytes.data(), count);
        m_count += count;
        bytes.remove_prefix(count);
        if (m_count == m_blockSize) {
            if (const std::int32_t error = handOver())
                return error;
        }
    }
    return 0;
}

std::int32_t LineWriter::handOver()
{
    const std::size_t count = m_count;
    m_count = 0; // the bytes are gone whether the hand-over succeeds or not
    return m_file->write(std::as_bytes(std::span(m_buffer.get(), count)));
}
