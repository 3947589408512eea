#include "point_file.h"

#include <gtest/gtest.h>

using std::nullopt;
using Kind = std::optional<PointFileKind>;

namespace {

struct KindCase
{
    const char* name;
    Kind kind;
};

class KindOfName : public testing::TestWithParam<KindCase>
{
};

TEST_P(KindOfName, IsFoundBySubstringIgnoringCase)
{
    EXPECT_EQ(kindOfName(GetParam().name), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(, KindOfName,
                         testing::Values(KindCase {"puntos.txt", PointFileKind::Rumbelo},
                                         KindCase {"PUNTOS.TXT", PointFileKind::Rumbelo},
                                         KindCase {"puntos.txt.bak", PointFileKind::Rumbelo},
                                         KindCase {"/a/b.mdb", PointFileKind::Pitovan},
                                         KindCase {"B.MdB", PointFileKind::Pitovan},
                                         KindCase {"both.mdb.txt", PointFileKind::Rumbelo},
                                         KindCase {"both.txt.mdb", PointFileKind::Rumbelo},
                                         KindCase {"puntos.tx", nullopt}, KindCase {"mdb", nullopt},
                                         KindCase {"", nullopt}, KindCase {"puntos.t\xc3\xa1t", nullopt}));

struct PairCase
{
    const char* source;
    const char* destination;
    bool accepted;
};

class SameFamilyNames : public testing::TestWithParam<PairCase>
{
};

TEST_P(SameFamilyNames, PairsTheSubstringsOfTheTwoNames)
{
    EXPECT_EQ(sameFamilyNames(GetParam().source, GetParam().destination), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(, SameFamilyNames,
                         testing::Values(PairCase {"a.txt", "b.TXT", true}, PairCase {"a.mdb", "b.mdb", true},
                                         PairCase {"a.txt", "b.mdb", false}, PairCase {"a.mdb", "b.txt", false},
                                         PairCase {"a.mdb.txt", "b.mdb", true}, PairCase {"a.txt", "", false},
                                         PairCase {"a.mdb", "b", false}));

struct HeaderCase
{
    const char* name;
    PointFileKind kind;
    const char* line;
    bool accepted;
};

class HeaderCheck : public testing::TestWithParam<HeaderCase>
{
};

TEST_P(HeaderCheck, ComparesTheFirstFourColumns)
{
    EXPECT_EQ(headerAccepted(GetParam().kind, GetParam().line), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    , HeaderCheck,
    testing::Values(HeaderCase {"PitovanExact", PointFileKind::Pitovan, "574C", true},
                    HeaderCase {"PitovanWithRest", PointFileKind::Pitovan, "574C anything", true},
                    HeaderCase {"PitovanLowerCase", PointFileKind::Pitovan, "574c", false},
                    HeaderCase {"PitovanShort", PointFileKind::Pitovan, "574", false},
                    HeaderCase {"PitovanEmpty", PointFileKind::Pitovan, "", false},
                    HeaderCase {"PitovanGivenRumbelo", PointFileKind::Pitovan, "4348", false},
                    HeaderCase {"RumbeloExact", PointFileKind::Rumbelo, "4348xyz", true},
                    HeaderCase {"RumbeloEmpty", PointFileKind::Rumbelo, "", false},
                    HeaderCase {"RumbeloLeadingBlank", PointFileKind::Rumbelo, " 4348", false}),
    [](const auto& info) { return info.param.name; });

struct PitovanCase
{
    const char* name;
    const char* line;
    RecordClass recordClass;
};

class PitovanCategory : public testing::TestWithParam<PitovanCase>
{
};

TEST_P(PitovanCategory, ComesFromColumn16)
{
    EXPECT_EQ(classifyRecord(PointFileKind::Pitovan, GetParam().line), GetParam().recordClass);
}

INSTANTIATE_TEST_SUITE_P(
    , PitovanCategory,
    testing::Values(PitovanCase {"Digit1", "AAAAAAAAAAAAAA91", classOf(PointCategory::RF)},
                    PitovanCase {"Digit2", "AAAAAAAAAAAAAA92tail", classOf(PointCategory::RM)},
                    PitovanCase {"Digit3", "AAAAAAAAAAAAAA93", classOf(PointCategory::TC)},
                    PitovanCase {"Digit4", "AAAAAAAAAAAAAA94", classOf(PointCategory::TC)},
                    PitovanCase {"Digit5", "AAAAAAAAAAAAAA95", classOf(PointCategory::PP)},
                    PitovanCase {"Digit6IsChildren", "AAAAAAAAAAAAAA96", classOf(PointCategory::ZE)},
                    PitovanCase {"Digit7IsBlackSpots", "AAAAAAAAAAAAAA97", classOf(PointCategory::PN)},
                    PitovanCase {"Digit0", "AAAAAAAAAAAAAA90", NoCategoryClass},
                    PitovanCase {"Digit8", "AAAAAAAAAAAAAA98", NoCategoryClass},
                    PitovanCase {"Letter", "AAAAAAAAAAAAAA9A", NoCategoryClass},
                    PitovanCase {"Only15Columns", "AAAAAAAAAAAAAA1", NoCategoryClass},
                    PitovanCase {"Empty", "", NoCategoryClass}),
    [](const auto& info) { return info.param.name; });

struct RumbeloCase
{
    const char* name;
    const char* line;
    RecordClass recordClass;
};

class RumbeloRecord : public testing::TestWithParam<RumbeloCase>
{
};

TEST_P(RumbeloRecord, IsAMarkerOrHasTheCategoryOfColumns15To16)
{
    EXPECT_EQ(classifyRecord(PointFileKind::Rumbelo, GetParam().line), GetParam().recordClass);
}

INSTANTIATE_TEST_SUITE_P(, RumbeloRecord,
                         testing::Values(RumbeloCase {"Code06", "11111111112222060000", classOf(PointCategory::RF)},
                                         RumbeloCase {"Code07", "11111111112222070000", classOf(PointCategory::RM)},
                                         RumbeloCase {"Code08", "11111111112222080000", classOf(PointCategory::TC)},
                                         RumbeloCase {"Code0D", "111111111122220D", classOf(PointCategory::TC)},
                                         RumbeloCase {"Code09", "11111111112222090000", classOf(PointCategory::PP)},
                                         RumbeloCase {"Code0A", "111111111122220A0000", classOf(PointCategory::PN)},
                                         RumbeloCase {"Code0B", "111111111122220B0000", classOf(PointCategory::ZE)},
                                         RumbeloCase {"LowerCase0d", "111111111122220d0000", NoCategoryClass},
                                         RumbeloCase {"Code05", "11111111112222050000", NoCategoryClass},
                                         RumbeloCase {"OneCharacterCode", "111111111122220", NoCategoryClass},
                                         RumbeloCase {"Empty", "", NoCategoryClass},
                                         RumbeloCase {"Marker", "FFFFFFFFFF", MarkerClass},
                                         RumbeloCase {"MarkerWithCode", "FFFFFFFFFF222206", MarkerClass},
                                         RumbeloCase {"NineFs", "FFFFFFFFF2222206", classOf(PointCategory::RF)},
                                         RumbeloCase {"LowerCaseFs", "ffffffffff222206", classOf(PointCategory::RF)}),
                         [](const auto& info) { return info.param.name; });

struct SinVelCase
{
    const char* name;
    const char* line;
    const char* result;
};

class SinVelOf : public testing::TestWithParam<SinVelCase>
{
};

TEST_P(SinVelOf, SetsColumn15ToZeroAndDropsTheTail)
{
    EXPECT_EQ(SinVel(GetParam().line), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(, SinVelOf,
                         testing::Values(SinVelCase {"NineteenColumns", "ABCDEFGHIJKLMN91xyz", "ABCDEFGHIJKLMN01"},
                                         SinVelCase {"SixteenColumns", "ABCDEFGHIJKLMN57", "ABCDEFGHIJKLMN07"},
                                         SinVelCase {"FifteenColumns", "ABCDEFGHIJKLMN5", "ABCDEFGHIJKLMN0"},
                                         SinVelCase {"Short", "AB", "AB0"}),
                         [](const auto& info) { return info.param.name; });

} // namespace
