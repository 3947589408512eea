#include "command_outcome.h"

#include "filter_command.h"
#include "platform_files.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

// A stream whose bytes stay in memory.
class CaughtStream final
{
public:
    CaughtStream() = default;
    CaughtStream(const CaughtStream&) = delete;
    CaughtStream& operator=(const CaughtStream&) = delete;
    ~CaughtStream()
    {
        std::fclose(m_stream);
        std::free(m_bytes);
    }

    std::FILE* get() const { return m_stream; }
    std::string bytes() const
    {
        std::fflush(m_stream);
        return {m_bytes, m_size};
    }

private:
    char* m_bytes = nullptr;
    std::size_t m_size = 0;
    std::FILE* m_stream = open_memstream(&m_bytes, &m_size);
};

} // namespace

Outcome runInProcess(const Arguments& arguments, const TemporaryFolder& folder)
{
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.path(""));
    const CaughtStream out;
    const CaughtStream err;
    const int status = runFilterCommand(arguments, platformFiles(), out.get(), err.get());
    std::filesystem::current_path(before);
    return {true, status, out.bytes(), err.bytes()};
}
