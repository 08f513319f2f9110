#include <gtest/gtest.h>

#include "editor/core/map_size.h"
#include "editor/core/preview.h"
#include "tests/editor/editor_test_support.h"

namespace quorle::testing {
namespace {

std::uint32_t ColourOf(const MapCell& cell) {
    return PreviewColour(cell).value_or(0xFFFFFF);
}

TEST(PreviewColour, MainTilesHaveTheirColours) {
    const std::pair<int, std::uint32_t> cases[] = {
        {1, 0x000000},  {7, 0x000000},  {8, 0x00FF00},  {11, 0x00FF00}, {24, 0x00FF00},
        {27, 0x00FF00}, {16, 0xFF0000}, {17, 0x0000FF}, {18, 0xFFFF00}, {19, 0xFFFF00},
        {20, 0x808000}, {21, 0x800000}, {22, 0x000080}, {23, 0x808080}, {28, 0x008000}};
    for (const auto& [tile, colour] : cases) {
        EXPECT_EQ(ColourOf(MapCell{.mainTile = static_cast<std::uint8_t>(tile)}), colour) << tile;
    }
}

TEST(PreviewColour, OtherMainTilesStayWhiteOrShowTheWater) {
    for (int tile : {0, 12, 13, 14, 15, 25, 26, 29, 30, 40, 63, 64, 255}) {
        const auto code = static_cast<std::uint8_t>(tile);
        EXPECT_FALSE(PreviewColour(MapCell{.mainTile = code}).has_value()) << tile;
        EXPECT_EQ(ColourOf(MapCell{.mainTile = code, .water = 25}), 0x0080FFu) << tile;
    }
}

TEST(PreviewColour, LaterRulesWin) {
    EXPECT_EQ(ColourOf(MapCell{.mainTile = 3, .water = 25}), 0x000000u);
    EXPECT_EQ(ColourOf(MapCell{.mainTile = 3, .liftCode = 12, .water = 25}), 0xC0C0C0u);
    EXPECT_EQ(ColourOf(MapCell{.mainTile = 3, .actorCode = 40, .liftCode = 12}), 0xFF00FFu);
    EXPECT_EQ(ColourOf(MapCell{.actorCode = 60}), 0xFF00FFu);
}

using Preview = EditorTest;

TEST_F(Preview, ShowsEveryCellAsATwoPixelSquareOnWhite) {
    SetMapSize(editor, 12, 8, true);
    editor.map.At(0, 0).mainTile = 16;
    editor.map.At(11, 7).actorCode = 33;
    editor.map.At(5, 3).water = 25;
    services.ExpectPreview([](PreviewWindow& preview) {
        EXPECT_EQ(preview.clientWidth, 24);
        EXPECT_EQ(preview.clientHeight, 16);
        preview.Form_GotFocus();
        ASSERT_EQ(preview.picture.Width(), 24);
        ASSERT_EQ(preview.picture.Height(), 16);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 24; ++x) {
                std::uint32_t expected = 0xFFFFFF;
                if (x / 2 == 0 && y / 2 == 0) expected = 0xFF0000;
                if (x / 2 == 11 && y / 2 == 7) expected = 0xFF00FF;
                if (x / 2 == 5 && y / 2 == 3) expected = 0x0080FF;
                ASSERT_EQ(preview.picture.Pixel(x, y), expected) << x << "," << y;
            }
        }
        preview.Form_MouseDown();
        EXPECT_TRUE(preview.closed);
    });
    mnuPreview_Click(editor);
}

TEST_F(Preview, TheWindowFitsTheLargestMap) {
    SetMapSize(editor, 255, 200, true);
    services.ExpectPreview([](PreviewWindow& preview) {
        EXPECT_EQ(preview.clientWidth, 510);
        EXPECT_EQ(preview.clientHeight, 400);
    });
    mnuPreview_Click(editor);
}

TEST_F(Preview, ClosingTheWindowOtherwiseAlsoEndsIt) {
    services.ExpectPreview([](PreviewWindow& preview) {
        EXPECT_FALSE(preview.closed);
        preview.Form_Unload();
        EXPECT_TRUE(preview.closed);
    });
    mnuPreview_Click(editor);
}

}  // namespace
}  // namespace quorle::testing
