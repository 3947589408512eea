#include "utf16_names.h"

namespace {

constexpr char32_t FirstHighSurrogate = 0xd800;
constexpr char32_t FirstLowSurrogate = 0xdc00;
constexpr char32_t LastSurrogate = 0xdfff;
constexpr char32_t FirstSupplementary = 0x10000;
constexpr char32_t LastCodePoint = 0x10ffff;

// Bytes of the sequence a lead byte begins; 0 for a byte that begins none.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xc2 && lead <= 0xdf)
        return 2;
    if (lead >= 0xe0 && lead <= 0xef)
        return 3;
    return lead >= 0xf0 && lead <= 0xf4 ? 4 : 0;
}

void appendUtf8(std::string& text, char32_t point)
{
    const auto byte = [&](char32_t bits) {
        text += static_cast<char>(bits);
    };
    if (point < 0x80) {
        byte(point);
    } else if (point < 0x800) {
        byte(0xc0 | point >> 6);
        byte(0x80 | (point & 0x3f));
    } else if (point < FirstSupplementary) {
        byte(0xe0 | point >> 12);
        byte(0x80 | (point >> 6 & 0x3f));
        byte(0x80 | (point & 0x3f));
    } else {
        byte(0xf0 | point >> 18);
        byte(0x80 | (point >> 12 & 0x3f));
        byte(0x80 | (point >> 6 & 0x3f));
        byte(0x80 | (point & 0x3f));
    }
}

} // namespace

std::optional<std::wstring> utf16Name(std::string_view name)
{
    static constexpr char32_t Least[] = {0, 0, 0x80, 0x800, FirstSupplementary};
    std::wstring wide;
    wide.reserve(name.size());
    bool afterHighSurrogate = false;
    for (std::size_t i = 0; i < name.size();) {
        const auto lead = static_cast<unsigned char>(name[i]);
        const std::size_t length = sequenceLength(lead);
        if (length == 0 || name.size() - i < length)
            return std::nullopt;
        char32_t point = length == 1 ? lead : lead & (0x7f >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(name[i + k]);
            if ((next & 0xc0) != 0x80)
                return std::nullopt;
            point = point << 6 | (next & 0x3f);
        }
        // A pair of surrogates written apart is a second spelling of the character they make.
        const bool lowSurrogate = point >= FirstLowSurrogate && point <= LastSurrogate;
        if (point < Least[length] || point > LastCodePoint || (lowSurrogate && afterHighSurrogate))
            return std::nullopt;
        afterHighSurrogate = point >= FirstHighSurrogate && point < FirstLowSurrogate;
        if (point >= FirstSupplementary) {
            point -= FirstSupplementary;
            wide += static_cast<wchar_t>(FirstHighSurrogate + (point >> 10));
            wide += static_cast<wchar_t>(FirstLowSurrogate + (point & 0x3ff));
        } else {
            wide += static_cast<wchar_t>(point);
        }
        i += length;
    }
    return wide;
}

std::string utf8Name(std::wstring_view name)
{
    std::string text;
    text.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        char32_t point = static_cast<char16_t>(name[i]);
        const bool pair = point >= FirstHighSurrogate && point < FirstLowSurrogate && i + 1 < name.size()
            && static_cast<char16_t>(name[i + 1]) >= FirstLowSurrogate
            && static_cast<char16_t>(name[i + 1]) <= LastSurrogate;
        if (pair)
            point = FirstSupplementary + ((point - FirstHighSurrogate) << 10)
                + (static_cast<char16_t>(name[++i]) - FirstLowSurrogate);
        appendUtf8(text, point);
    }
    return text;
}
