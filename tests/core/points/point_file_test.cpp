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

INSTANTIATE_TEST_SUITE_P(
    , KindOfName,
    testing::Values(KindCase {"puntos.txt", PointFileKind::Rumbelo}, KindCase {"PUNTOS.TXT", PointFileKind::Rumbelo},
                    KindCase {"puntos.txt.bak", PointFileKind::Rumbelo}, KindCase {"/a/b.mdb", PointFileKind::Pitovan},
                    KindCase {"B.MdB", PointFileKind::Pitovan}, KindCase {"both.mdb.txt", PointFileKind::Rumbelo},
                    KindCase {"both.txt.mdb", PointFileKind::Rumbelo}, KindCase {"puntos.tx", nullopt},
                    KindCase {"mdb", nullopt}, KindCase {"", nullopt}, KindCase {"puntos.t\xc3\xa1t", nullopt}));

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

INSTANTIATE_TEST_SUITE_P(, HeaderCheck,
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

struct ClassCase
{
    const char* name;
    PointFileKind kind;
    const char* line;
    RecordClass recordClass;
};

class RecordClassification : public testing::TestWithParam<ClassCase>
{
};

// Pitovan by the type digit in column 16; Rumbelo a marker, or by the type code in columns 15-16.
TEST_P(RecordClassification, ComesFromTheTypeColumnsOfTheFamily)
{
    EXPECT_EQ(classifyRecord(GetParam().kind, GetParam().line), GetParam().recordClass);
}

constexpr PointFileKind Pitovan = PointFileKind::Pitovan;
constexpr PointFileKind Rumbelo = PointFileKind::Rumbelo;
using enum PointCategory;

INSTANTIATE_TEST_SUITE_P(
    , RecordClassification,
    testing::Values(ClassCase {"PitovanDigit1", Pitovan, "AAAAAAAAAAAAAA91", classOf(RF)},
                    ClassCase {"PitovanDigit2", Pitovan, "AAAAAAAAAAAAAA92tail", classOf(RM)},
                    ClassCase {"PitovanDigit3", Pitovan, "AAAAAAAAAAAAAA93", classOf(TC)},
                    ClassCase {"PitovanDigit4", Pitovan, "AAAAAAAAAAAAAA94", classOf(TC)},
                    ClassCase {"PitovanDigit5", Pitovan, "AAAAAAAAAAAAAA95", classOf(PP)},
                    ClassCase {"PitovanDigit6IsChildren", Pitovan, "AAAAAAAAAAAAAA96", classOf(ZE)},
                    ClassCase {"PitovanDigit7IsBlackSpots", Pitovan, "AAAAAAAAAAAAAA97", classOf(PN)},
                    ClassCase {"PitovanDigit0", Pitovan, "AAAAAAAAAAAAAA90", NoCategoryClass},
                    ClassCase {"PitovanDigit8", Pitovan, "AAAAAAAAAAAAAA98", NoCategoryClass},
                    ClassCase {"PitovanLetter", Pitovan, "AAAAAAAAAAAAAA9A", NoCategoryClass},
                    ClassCase {"PitovanOnly15Columns", Pitovan, "AAAAAAAAAAAAAA1", NoCategoryClass},
                    ClassCase {"PitovanEmpty", Pitovan, "", NoCategoryClass},
                    ClassCase {"RumbeloCode06", Rumbelo, "11111111112222060000", classOf(RF)},
                    ClassCase {"RumbeloCode07", Rumbelo, "11111111112222070000", classOf(RM)},
                    ClassCase {"RumbeloCode08", Rumbelo, "11111111112222080000", classOf(TC)},
                    ClassCase {"RumbeloCode0D", Rumbelo, "111111111122220D", classOf(TC)},
                    ClassCase {"RumbeloCode09", Rumbelo, "11111111112222090000", classOf(PP)},
                    ClassCase {"RumbeloCode0A", Rumbelo, "111111111122220A0000", classOf(PN)},
                    ClassCase {"RumbeloCode0B", Rumbelo, "111111111122220B0000", classOf(ZE)},
                    ClassCase {"RumbeloLowerCase0d", Rumbelo, "111111111122220d0000", NoCategoryClass},
                    ClassCase {"RumbeloCode05", Rumbelo, "11111111112222050000", NoCategoryClass},
                    ClassCase {"RumbeloOneCharacterCode", Rumbelo, "111111111122220", NoCategoryClass},
                    ClassCase {"RumbeloEmpty", Rumbelo, "", NoCategoryClass},
                    ClassCase {"RumbeloMarker", Rumbelo, "FFFFFFFFFF", MarkerClass},
                    ClassCase {"RumbeloMarkerWithCode", Rumbelo, "FFFFFFFFFF222206", MarkerClass},
                    ClassCase {"RumbeloNineFs", Rumbelo, "FFFFFFFFF2222206", classOf(RF)},
                    ClassCase {"RumbeloLowerCaseFs", Rumbelo, "ffffffffff222206", classOf(RF)}),
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
