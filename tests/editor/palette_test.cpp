#include <gtest/gtest.h>

#include "editor/core/geometry.h"
#include "editor/core/painting.h"
#include "editor/core/palette.h"
#include "tests/editor/editor_test_support.h"

namespace quorle::testing {
namespace {

// The palette pixel (x, y) of cell `code` as the first focus leaves it.
std::uint32_t PreparedPalettePixel(const tovek::Surface& raw, int code, int x, int y) {
    const int left = (code % 16) * kCell + x;
    const int top = (code / 16) * kCell + y;
    if (code >= 16 && code < 48) return raw.Pixel(left, top) | raw.Pixel(left, top + 2 * kCell);
    return raw.Pixel(left, top);
}

using Palette = EditorTest;

TEST_F(Palette, FirstFocusLaysTheMaskedPicturesOverTheirMasks) {
    for (int code = 0; code < 80; ++code) {
        for (int y = 0; y < kCell; ++y) {
            for (int x = 0; x < kCell; ++x) {
                ASSERT_EQ(
                    editor.pctBase.image.Pixel((code % 16) * kCell + x, (code / 16) * kCell + y),
                    PreparedPalettePixel(sheets.picMap, code, x, y))
                    << code << " " << x << "," << y;
            }
        }
    }
}

TEST_F(Palette, LaterFocusesOnlyRedrawTheView) {
    const tovek::Surface palette = editor.pctBase.image;
    const unsigned viewRefreshes = editor.pctMain.refreshes;
    Pick(kLeftButton, 9);
    pctMain_GotFocus(editor);
    EXPECT_EQ(editor.pctBase.image, palette);
    EXPECT_EQ(editor.chosenTile[0], 9);
    EXPECT_EQ(editor.pctMain.refreshes, viewRefreshes + 1);
}

TEST_F(Palette, TheChosenPicturesShowThePickedCells) {
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            ASSERT_EQ(editor.pctChosen[0].image.Pixel(x, y), sheets.picMap.Pixel(kCell + x, y));
            ASSERT_EQ(editor.pctChosen[1].image.Pixel(x, y), sheets.picMap.Pixel(x, y));
        }
    }
    Pick(kRightButton, 18);
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            ASSERT_EQ(editor.pctChosen[1].image.Pixel(x, y),
                      PreparedPalettePixel(sheets.picMap, 18, x, y));
        }
    }
}

TEST_F(Palette, ALiftPickShowsOnlyTheHalfPicked) {
    Pick(kLeftButton, 13, true);
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            const std::uint32_t expected =
                y < 16 ? sheets.picMap.Pixel(13 * kCell + x, 16 + y) : kPictureBackColour;
            ASSERT_EQ(editor.pctChosen[0].image.Pixel(x, y), expected) << x << "," << y;
        }
    }
    Pick(kLeftButton, 13);
    EXPECT_EQ(editor.pctChosen[0].image.Pixel(4, 3), sheets.picMap.Pixel(13 * kCell + 4, 3));
    EXPECT_EQ(editor.pctChosen[0].image.Pixel(4, 20), kPictureBackColour);
    EXPECT_EQ(editor.chosenFast[0], 0);
}

TEST_F(Palette, TheHighlightCoversTheTileOrTheLiftHalfUnderTheMouse) {
    pctBase_MouseMove(editor, 0, 5 * 32 + 4, 30);
    EXPECT_EQ((std::array{editor.shpBase.left, editor.shpBase.top, editor.shpBase.width,
                          editor.shpBase.height}),
              (std::array{160, 0, 32, 32}));
    pctBase_MouseMove(editor, 0, 14 * 32 + 4, 20);
    EXPECT_EQ((std::array{editor.shpBase.left, editor.shpBase.top, editor.shpBase.width,
                          editor.shpBase.height}),
              (std::array{448, 16, 32, 16}));
    pctBase_MouseMove(editor, kLeftButton, 12 * 32, 2);
    EXPECT_EQ((std::array{editor.shpBase.left, editor.shpBase.top, editor.shpBase.width,
                          editor.shpBase.height}),
              (std::array{384, 0, 32, 16}));
    pctBase_MouseMove(editor, 0, 3 * 32, 4 * 32 + 31);
    EXPECT_EQ((std::array{editor.shpBase.left, editor.shpBase.top, editor.shpBase.width,
                          editor.shpBase.height}),
              (std::array{96, 128, 32, 32}));
}

using Reverse = EditorTest;

TEST_F(Reverse, MirrorsTheActorRowsOfThePaletteInPlace) {
    const tovek::Surface before = editor.pctBase.image;
    mnuReverse_Click(editor);
    EXPECT_TRUE(editor.reverse);
    EXPECT_EQ(editor.cheRev, 1);
    for (int y = 0; y < kPaletteHeight; ++y) {
        const int row = y / kCell;
        for (int x = 0; x < kPaletteWidth; ++x) {
            const int mirroredX = (x / kCell) * kCell + (kCell - 1 - x % kCell);
            const int sourceX = (row == 2 || row == 4) ? mirroredX : x;
            ASSERT_EQ(editor.pctBase.image.Pixel(x, y), before.Pixel(sourceX, y)) << x << "," << y;
        }
    }
    mnuReverse_Click(editor);
    EXPECT_EQ(editor.pctBase.image, before);
    EXPECT_FALSE(editor.reverse);
    EXPECT_EQ(editor.cheRev, 0);
}

TEST_F(Reverse, TheCheckBoxAndTheMenuAlwaysAgree) {
    const tovek::Surface before = editor.pctBase.image;
    cheRev_Click(editor, 1);
    EXPECT_TRUE(editor.reverse);
    EXPECT_NE(editor.pctBase.image, before);
    cheRev_Click(editor, 1);  // already in agreement: nothing more
    EXPECT_TRUE(editor.reverse);
    cheRev_Click(editor, 0);
    EXPECT_FALSE(editor.reverse);
    EXPECT_EQ(editor.cheRev, 0);
    EXPECT_EQ(editor.pctBase.image, before);
}

TEST_F(Reverse, APickWhileReversedShowsTheMirroredPicture) {
    mnuReverse_Click(editor);
    Pick(kLeftButton, 40);
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            ASSERT_EQ(editor.pctChosen[0].image.Pixel(x, y),
                      PreparedPalettePixel(sheets.picMap, 40, kCell - 1 - x, y));
        }
    }
}

using BackgroundChooser = EditorTest;

TEST_F(BackgroundChooser, ShowsTheSixteenBackgroundsShrunkToTwentyEightPixels) {
    for (int y = 0; y < kChooserSize; ++y) {
        for (int x = 0; x < kChooserSize; ++x) {
            const int sx = (2 * x + 1) * 256 / (2 * kChooserSize);
            const int sy = (2 * y + 1) * 256 / (2 * kChooserSize);
            ASSERT_EQ(editor.pctBack.image.Pixel(x, y), sheets.picBackBase.Pixel(sx, sy));
        }
    }
}

TEST_F(BackgroundChooser, APressWithAnyButtonChoosesAndMarksModified) {
    pctBack_MouseDown(editor, kMiddleButton, 30, 60);
    EXPECT_EQ(editor.background, 9);
    EXPECT_TRUE(editor.modified);
    // Pattern 9 lies at (64, 128) of the sheet, doubled in the view.
    EXPECT_EQ(editor.pctMain.image.Pixel(10, 20), sheets.picBackBase.Pixel(64 + 5, 128 + 10));
    pctBack_MouseDown(editor, kRightButton, 111, 111);
    EXPECT_EQ(editor.background, 15);
    pctBack_MouseDown(editor, kLeftButton, 112, 0);
    EXPECT_EQ(editor.background, 15);
}

TEST_F(BackgroundChooser, ChoosingTheSameBackgroundStillMarksModified) {
    pctBack_MouseDown(editor, kLeftButton, 1, 1);
    EXPECT_EQ(editor.background, 0);
    EXPECT_TRUE(editor.modified);
}

TEST_F(BackgroundChooser, TheHighlightFollowsTheMouse) {
    pctBack_MouseMove(editor, 0, 30, 60);
    EXPECT_EQ(editor.shpBack.left, 28);
    EXPECT_EQ(editor.shpBack.top, 56);
    EXPECT_EQ(editor.shpBack.width, 28);
}

}  // namespace
}  // namespace quorle::testing
