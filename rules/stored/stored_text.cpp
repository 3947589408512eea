#include "stored_text.h"

#include <cstdint>
#include <limits>

namespace StoredText {

namespace {

int digitValue(char character, int base)
{
    int value = base;
    if (character >= '0' && character <= '9')
        value = character - '0';
    else if (character >= 'a' && character <= 'f')
        value = character - 'a' + 10;
    else if (character >= 'A' && character <= 'F')
        value = character - 'A' + 10;
    return value < base ? value : -1;
}

bool isWordSeparator(char character)
{
    return character == ' ' || character == ',';
}

char latinLower(char character)
{
    return character >= 'A' && character <= 'Z' ? static_cast<char>(character - 'A' + 'a') : character;
}

bool isControlCodeOrBlank(char character)
{
    return static_cast<unsigned char>(character) <= 32;
}

} // namespace

std::optional<int> toInteger(std::string_view text)
{
    while (text.starts_with(' '))
        text.remove_prefix(1);
    bool negative = false;
    if (text.starts_with('-') || text.starts_with('+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with('$') || text.starts_with('x')) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.starts_with("0x")) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;

    // One past the largest magnitude, that of the smallest negative int.
    constexpr std::int64_t Limit = std::int64_t {std::numeric_limits<int>::max()} + 1;
    std::int64_t magnitude = 0;
    for (const char character : text) {
        const int digit = digitValue(character, base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > Limit)
            return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

std::string_view word(std::string_view text, int n)
{
    std::size_t at = 0;
    for (int count = 1;; ++count) {
        while (at < text.size() && isWordSeparator(text[at]))
            ++at;
        if (at == text.size())
            return {};
        const std::size_t start = at;
        while (at < text.size() && !isWordSeparator(text[at]))
            ++at;
        if (count == n)
            return text.substr(start, at - start);
    }
}

std::string_view trimmedControlCodes(std::string_view text)
{
    while (!text.empty() && isControlCodeOrBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isControlCodeOrBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool equalIgnoringLatinCase(std::string_view left, std::string_view right)
{
    if (left.size() != right.size())
        return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (latinLower(left[i]) != latinLower(right[i]))
            return false;
    }
    return true;
}

std::optional<bool> toBoolean(std::string_view text)
{
    if (equalIgnoringLatinCase(text, "True"))
        return true;
    if (equalIgnoringLatinCase(text, "False"))
        return false;
    return std::nullopt;
}

std::string_view fromBoolean(bool value)
{
    return value ? "True" : "False";
}

std::string executableBaseName(std::string_view path, std::string_view separators)
{
    const std::size_t folderEnd = path.find_last_of(separators);
    const std::string_view name = folderEnd == std::string_view::npos ? path : path.substr(folderEnd + 1);
    return std::string(name.substr(0, name.rfind('.')));
}

std::string resolutionSuffix(int width, int height)
{
    return '(' + std::to_string(width) + 'x' + std::to_string(height) + ')';
}

std::string positionText(int first, int second, int third, int fourth)
{
    return std::to_string(first) + ',' + std::to_string(second) + ',' + std::to_string(third) + ','
        + std::to_string(fourth);
}

} // namespace StoredText
