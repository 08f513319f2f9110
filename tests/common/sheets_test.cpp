#include "common/sheets.h"

#include <embedded_assets.h>
#include <gtest/gtest.h>

#include "common/png_image.h"

namespace tovek {
namespace {

TEST(Sheets, EmbeddedPngsHaveTheExactSheetSizes) {
    const auto map = DecodePng(embedded::PicMapPng());
    ASSERT_TRUE(map);
    EXPECT_EQ(map->Width(), 512);
    EXPECT_EQ(map->Height(), 160);
    const auto player = DecodePng(embedded::PicPlayerPng());
    ASSERT_TRUE(player);
    EXPECT_EQ(player->Width(), 128);
    EXPECT_EQ(player->Height(), 192);
    const auto backgrounds = DecodePng(embedded::PicBackBasePng());
    ASSERT_TRUE(backgrounds);
    EXPECT_EQ(backgrounds->Width(), 256);
    EXPECT_EQ(backgrounds->Height(), 256);
}

TEST(Sheets, LoadedSheetsAreTheEmbeddedPictures) {
    const PictureSheets sheets = LoadPictureSheets();
    EXPECT_EQ(sheets.picMap, DecodePng(embedded::PicMapPng()));
    EXPECT_EQ(sheets.picPlayer, DecodePng(embedded::PicPlayerPng()));
    EXPECT_EQ(sheets.picBackBase, DecodePng(embedded::PicBackBasePng()));
}

// Every mask cell is pure black and white, and its picture is black wherever
// the mask is white, so the AND-then-OR pair never tints what lies behind.
void ExpectMaskMatchesPicture(const Surface& sheet, int maskX, int maskY, int pictureX,
                              int pictureY) {
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const std::uint32_t mask = sheet.Pixel(maskX + x, maskY + y);
            ASSERT_TRUE(mask == 0x000000 || mask == 0xFFFFFF)
                << "mask at " << maskX + x << "," << maskY + y;
            if (mask == 0xFFFFFF) {
                ASSERT_EQ(sheet.Pixel(pictureX + x, pictureY + y), 0x000000u)
                    << "picture at " << pictureX + x << "," << pictureY + y;
            }
        }
    }
}

TEST(Sheets, MasksAndPicturesAgree) {
    const PictureSheets sheets = LoadPictureSheets();
    for (int column = 0; column < 16; ++column) {
        if (column <= 8) ExpectMaskMatchesPicture(sheets.picMap, column * 32, 32, column * 32, 96);
        ExpectMaskMatchesPicture(sheets.picMap, column * 32, 64, column * 32, 128);
    }
    for (int character = 0; character < 3; ++character) {
        for (int column = 0; column < 4; ++column) {
            ExpectMaskMatchesPicture(sheets.picPlayer, column * 32, character * 64, column * 32,
                                     character * 64 + 32);
        }
    }
}

}  // namespace
}  // namespace tovek
