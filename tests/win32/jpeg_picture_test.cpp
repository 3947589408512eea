#include "jpeg_picture.h"
#include "resource_ids.h"

#include <gtest/gtest.h>

namespace {

struct PictureCase
{
    const char* name;
    int resource;
    JpegColours colours;
    int width;
    int height;
    bool progressive;
    int bitsPerPixel;
};

class Pictures : public testing::TestWithParam<PictureCase>
{
};

TEST_P(Pictures, DecodeAtFullSize)
{
    const PictureCase& row = GetParam();
    const DecodedJpeg picture = decodeJpeg(programResource(row.resource), row.colours);
    ASSERT_TRUE(picture.bitmap) << picture.error;
    EXPECT_EQ(picture.size.width, row.width);
    EXPECT_EQ(picture.size.height, row.height);
    EXPECT_EQ(picture.progressive, row.progressive);
    DIBSECTION section {};
    ASSERT_EQ(GetObjectW(picture.bitmap.get(), sizeof(section), &section), static_cast<int>(sizeof(section)));
    EXPECT_EQ(section.dsBm.bmBitsPixel, row.bitsPerPixel);
    EXPECT_EQ(section.dsBm.bmWidth, row.width);
}

INSTANTIATE_TEST_SUITE_P(
    , Pictures,
    testing::Values(PictureCase {"Picture1", CRIBAXON_PICTURE1, JpegColours::TrueColour, 150, 134, true, 24},
                    PictureCase {"Picture2", CRIBAXON_PICTURE2, JpegColours::TrueColour, 150, 114, false, 24},
                    PictureCase {"Picture1Large", CRIBAXON_PICTURE1_LARGE, JpegColours::TrueColour, 300, 268, true, 24},
                    PictureCase {"Picture2Large", CRIBAXON_PICTURE2_LARGE, JpegColours::TrueColour, 300, 228, false,
                                 24},
                    PictureCase {"ColourMapped", CRIBAXON_PICTURE2, JpegColours::ColourMapped, 150, 114, false, 8}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureData, DamagedDataGivesNoBitmap)
{
    const auto whole = programResource(CRIBAXON_PICTURE2);
    for (const std::size_t kept : {std::size_t {0}, std::size_t {2}, whole.size() / 2}) {
        const DecodedJpeg picture = decodeJpeg(whole.first(kept), JpegColours::TrueColour);
        EXPECT_FALSE(picture.bitmap) << kept << " bytes";
        EXPECT_FALSE(picture.error.empty()) << kept << " bytes";
    }
}

TEST(PictureData, ColoursForTheScreensDepth)
{
    EXPECT_EQ(jpegColoursForDepth(8), JpegColours::ColourMapped);
    EXPECT_EQ(jpegColoursForDepth(16), JpegColours::TrueColour);
}

} // namespace
