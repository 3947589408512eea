#include "full_stop.h"

std::string withFullStop(std::string_view message)
{
    std::string text(message);
    // Bytewise: the last byte of a UTF-8 sequence is above 127, as an accented
    // letter of a single-byte code page is, so both get the stop.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    return text;
}
