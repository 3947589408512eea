#include "utf16_names.h"

#include <gtest/gtest.h>

namespace {

struct ConversionCase
{
    const char* name;
    std::string utf8;
    std::optional<std::wstring> utf16; // none: refused
};

class Utf16Name : public testing::TestWithParam<ConversionCase>
{
};

// A name goes over unchanged and comes back the same; bytes that could be read
// two ways, or spell a character a second way, are refused.
TEST_P(Utf16Name, KeepsOneSpellingOfEveryName)
{
    EXPECT_EQ(utf16Name(GetParam().utf8), GetParam().utf16);
    if (GetParam().utf16) {
        EXPECT_EQ(utf8Name(*GetParam().utf16), GetParam().utf8);
    }
}

// Bytes by number where the text itself would not show them.
INSTANTIATE_TEST_SUITE_P(
    , Utf16Name,
    testing::Values(ConversionCase {"Ascii", "C:\\datos\\puntos.mdb", L"C:\\datos\\puntos.mdb"},
                    ConversionCase {"TwoBytes", "ñandú", L"ñandú"}, ConversionCase {"ThreeBytes", "日本", L"日本"},
                    ConversionCase {"FourBytes", "𝄞", L"\xd834\xdd1e"},
                    ConversionCase {"LoneHighSurrogate", "\xed\xa0\xb4", L"\xd834"},
                    ConversionCase {"LoneLowSurrogate", "\xed\xb4\x9e", L"\xdd1e"},
                    ConversionCase {"LowThenHighSurrogate", "\xed\xb4\x9e\xed\xa0\xb4", L"\xdd1e\xd834"},
                    ConversionCase {"Latin1Byte", "\361and\372.mdb", std::nullopt},
                    ConversionCase {"CutShort", "\xe6\x97", std::nullopt},
                    ConversionCase {"ContinuationAlone", "\x80", std::nullopt},
                    ConversionCase {"OverlongSlash", "\xc0\xaf", std::nullopt},
                    ConversionCase {"OverlongBackslashInThreeBytes", "\xe0\x81\x9c", std::nullopt},
                    ConversionCase {"BeyondUnicode", "\xf4\x90\x80\x80", std::nullopt},
                    ConversionCase {"PairWrittenApart", "\xed\xa0\xb4\xed\xb4\x9e", std::nullopt}),
    [](const auto& info) { return info.param.name; });

} // namespace
