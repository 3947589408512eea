#pragma once

#include <cstdint>
#include <string_view>

// Standard output or standard error of cribaxon-filter, as each platform reaches it.
class TextOutput
{
public:
    virtual ~TextOutput() = default;

    // UTF-8, lines ending in '\n'. A failure is kept for finish().
    virtual void write(std::string_view text) = 0;
    // Hands over what is held back; returns 0 or the code of the first failure.
    virtual std::int32_t finish() = 0;
};
