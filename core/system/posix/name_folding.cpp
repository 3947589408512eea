#include "name_folding.h"

#include <cwctype>
#include <linux/magic.h>
#include <locale.h>
#include <optional>

namespace {

// Types that <linux/magic.h> does not name.
constexpr long Ntfs3Type = 0x7366746e;
constexpr long NtfsType = 0x5346544e;
constexpr long SmbType = 0x517b;
constexpr long HfsType = 0x4244;
constexpr long HfsPlusType = 0x482b;

// Unicode's letter case whatever locale the program runs in; ASCII alone where
// the system has no C.UTF-8.
locale_t unicodeCase()
{
    static const locale_t locale = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    return locale;
}

// Takes one character off the front: a code point, or a byte that is no UTF-8
// as a value past every code point.
char32_t takeCharacter(std::string_view& text)
{
    const auto byte = static_cast<unsigned char>(text.front());
    const int length = byte < 0x80 ? 1
        : (byte & 0xe0) == 0xc0    ? 2
        : (byte & 0xf0) == 0xe0    ? 3
        : (byte & 0xf8) == 0xf0    ? 4
                                   : 0;
    char32_t value = length == 1 ? byte : length == 2 ? byte & 0x1f : length == 3 ? byte & 0x0f : byte & 0x07;
    bool valid = length > 0 && text.size() >= static_cast<std::size_t>(length);
    for (int i = 1; valid && i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[static_cast<std::size_t>(i)]);
        valid = (next & 0xc0) == 0x80;
        value = (value << 6) | (next & 0x3f);
    }
    if (!valid) {
        text.remove_prefix(1);
        return 0x110000 + byte;
    }
    text.remove_prefix(static_cast<std::size_t>(length));
    return value;
}

char32_t folded(char32_t c)
{
    // ASCII folds alike in every locale: the Unicode tables are loaded only for the rest.
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
    if (c >= 0x110000)
        return c;
    if (const locale_t locale = unicodeCase())
        return static_cast<char32_t>(::towlower_l(::towupper_l(static_cast<wint_t>(c), locale), locale));
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

} // namespace

NameFolding nameFoldingOf(long fileSystemType, bool casefoldFolder)
{
    switch (fileSystemType) {
    case MSDOS_SUPER_MAGIC:
    case EXFAT_SUPER_MAGIC:
    case CIFS_SUPER_MAGIC:
    case SMB2_SUPER_MAGIC:
    case SmbType:
        return NameFolding::LetterCaseAndTrailingDots;
    case NtfsType:
    case Ntfs3Type:
    case HfsType:
    case HfsPlusType:
        return NameFolding::LetterCase;
    case FUSE_SUPER_MAGIC:
        return NameFolding::Unknown;
    default:
        return casefoldFolder ? NameFolding::LetterCase : NameFolding::Exact;
    }
}

bool sameFoldedName(std::string_view a, std::string_view b, NameFolding folding)
{
    if (a == b)
        return true;
    if (folding == NameFolding::Exact)
        return false;
    if (folding != NameFolding::LetterCase) {
        // FAT and exFAT drop them from every name they are given.
        while (a.ends_with('.') && a.size() > 1)
            a.remove_suffix(1);
        while (b.ends_with('.') && b.size() > 1)
            b.remove_suffix(1);
    }
    while (!a.empty() && !b.empty()) {
        if (folded(takeCharacter(a)) != folded(takeCharacter(b)))
            return false;
    }
    return a.empty() && b.empty();
}
