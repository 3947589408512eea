#include "fake_file_system.h"

#include "in_out_error.h"

#include <algorithm>
#include <cstring>

class FakeFile final : public SystemFile
{
public:
    FakeFile(FakeFileSystem& system, const std::string& name, bool writing)
        : m_system(system)
        , m_name(name)
        , m_writing(writing)
    {
        stored().*(writing ? &FakeFileSystem::Stored::heldForWriting : &FakeFileSystem::Stored::heldForReading) = true;
    }
    ~FakeFile() override { release(); }

    FileKind kind() override { return stored().kind; }
    std::size_t transferSize() override { return m_system.transferSize; }

    ReadResult read(std::span<std::byte> buffer) override
    {
        m_system.readRequests.push_back(buffer.size());
        if (const std::int32_t error = m_system.count(FakeFileSystem::Call::Read))
            return {0, error};
        const std::string& bytes = stored().bytes;
        const std::size_t count
            = std::min({buffer.size(), bytes.size() - std::min(m_position, bytes.size()), m_system.readLimit});
        std::memcpy(buffer.data(), bytes.data() + m_position, count);
        m_position += count;
        return {count, 0};
    }

    std::int32_t write(std::span<const std::byte> bytes) override
    {
        m_system.writeSizes.push_back(bytes.size());
        if (const std::int32_t error = m_system.count(FakeFileSystem::Call::Write))
            return error;
        stored().bytes.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return 0;
    }

    std::int32_t close() override
    {
        release();
        return m_system.count(FakeFileSystem::Call::Close);
    }

private:
    FakeFileSystem::Stored& stored() { return m_system.files.at(m_name); }
    void release()
    {
        if (m_released)
            return;
        m_released = true;
        stored().*(m_writing ? &FakeFileSystem::Stored::heldForWriting : &FakeFileSystem::Stored::heldForReading)
            = false;
    }

    FakeFileSystem& m_system;
    std::string m_name;
    bool m_writing;
    bool m_released = false;
    std::size_t m_position = 0;
};

std::int32_t FakeFileSystem::count(Call call)
{
    const int n = ++m_counts[static_cast<int>(call)];
    const auto found = m_failures.find({call, n});
    return found == m_failures.end() ? 0 : found->second;
}

OpenResult FakeFileSystem::openForReading(const std::string& name)
{
    if (const auto failure = m_openFailures.find(name); failure != m_openFailures.end())
        return {nullptr, failure->second};
    const auto found = files.find(name);
    if (found == files.end())
        return {nullptr, InOutCode::FileNotFound};
    if (found->second.heldForWriting)
        return {nullptr, InOutCode::SharingViolation};
    return {std::make_unique<FakeFile>(*this, name, false), 0};
}

OpenResult FakeFileSystem::createForWriting(const std::string& name)
{
    if (const auto failure = m_openFailures.find(name); failure != m_openFailures.end())
        return {nullptr, failure->second};
    Stored& stored = files[name];
    if (stored.heldForReading || stored.heldForWriting)
        return {nullptr, InOutCode::SharingViolation};
    if (stored.kind == FileKind::Disk)
        stored.bytes.clear();
    return {std::make_unique<FakeFile>(*this, name, true), 0};
}
