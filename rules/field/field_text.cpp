#include "field_text.h"

#include <algorithm>

namespace {

constexpr std::size_t NameBoxLength = 260;

bool isLineBreak(char16_t c)
{
    return c == u'\r' || c == u'\n' || c == u'\u2028' || c == u'\u2029';
}

bool isHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

} // namespace

std::size_t removeLineBreaks(std::u16string& text, std::size_t caret)
{
    const auto beforeCaret = text.begin() + static_cast<std::ptrdiff_t>(std::min(caret, text.size()));
    const auto removedBeforeCaret = static_cast<std::size_t>(std::count_if(text.begin(), beforeCaret, isLineBreak));
    std::erase_if(text, isLineBreak);
    return caret - removedBeforeCaret;
}

std::u16string_view cutForNameBox(std::u16string_view name)
{
    if (name.size() <= NameBoxLength)
        return name;
    return name.substr(0, isHighSurrogate(name[NameBoxLength - 1]) ? NameBoxLength - 1 : NameBoxLength);
}
