#include "stream_output.h"

#include "error_codes.h"

void StreamOutput::write(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), m_stream);
}

std::int32_t StreamOutput::finish()
{
    if (std::fflush(m_stream) != 0 || std::ferror(m_stream))
        return codeForErrno(errno);
    return 0;
}
