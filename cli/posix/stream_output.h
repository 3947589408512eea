#pragma once

#include "text_output.h"

#include <cstdio>

// A C stream, written as it is: the bytes of the text, whatever the locale.
class StreamOutput final : public TextOutput
{
public:
    explicit StreamOutput(std::FILE* stream)
        : m_stream(stream)
    { }

    void write(std::string_view text) override;
    std::int32_t finish() override;

private:
    std::FILE* m_stream;
};
