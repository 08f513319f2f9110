#include <gtest/gtest.h>

#include "editor/core/map_view.h"
#include "editor/core/painting.h"
#include "editor/core/palette.h"
#include "tests/editor/editor_test_support.h"

namespace quorle::testing {
namespace {

constexpr MapCell kFullCell{.mainTile = 5, .actorCode = 40, .liftCode = 14, .water = 25};

using Painting = EditorTest;

TEST_F(Painting, OverwriteModeLeavesOnlyThePaintedLayer) {
    editor.map.At(1, 1) = kFullCell;
    Pick(kLeftButton, 33);
    ClickCell(kLeftButton, 1, 1);
    EXPECT_EQ(editor.map.At(1, 1), MapCell{.actorCode = 33});
}

TEST_F(Painting, InsertModeKeepsTheOtherLayers) {
    mnuInsert_Click(editor);
    editor.map.At(1, 1) = MapCell{.mainTile = 5};
    Pick(kLeftButton, 33);
    ClickCell(kLeftButton, 1, 1);
    Pick(kLeftButton, 25);
    ClickCell(kLeftButton, 1, 1);
    Pick(kLeftButton, 12);
    ClickCell(kLeftButton, 1, 1);
    Pick(kLeftButton, 7);
    ClickCell(kLeftButton, 1, 1);
    EXPECT_EQ(editor.map.At(1, 1),
              (MapCell{.mainTile = 7, .actorCode = 33, .liftCode = 12, .water = 25}));
}

TEST_F(Painting, TheEraserPeelsActorLiftMainTileWaterInInsertMode) {
    mnuInsert_Click(editor);
    editor.map.At(2, 3) = kFullCell;
    const MapCell expected[] = {{.mainTile = 5, .liftCode = 14, .water = 25},
                                {.mainTile = 5, .water = 25},
                                {.water = 25},
                                {}};
    for (const MapCell& after : expected) {
        ClickCell(kRightButton, 2, 3);
        EXPECT_EQ(editor.map.At(2, 3), after);
    }
}

TEST_F(Painting, TheEraserEmptiesTheCellInOverwriteMode) {
    editor.map.At(2, 3) = kFullCell;
    ClickCell(kRightButton, 2, 3);
    EXPECT_EQ(editor.map.At(2, 3), MapCell{});
}

TEST_F(Painting, EveryPaintingMarksTheDocumentModifiedEvenWithTheSameCode) {
    editor.map.At(0, 0).mainTile = 1;
    ClickCell(kLeftButton, 0, 0);
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(editor.caption, "Quorle*");
}

TEST_F(Painting, APaintClickHidesTheRegionFrameAndClearsTheStatus) {
    editor.shpRegion.visible = true;
    editor.lblStatus = "コピーが完了しました。";
    ClickCell(kLeftButton, 4, 4);
    EXPECT_FALSE(editor.shpRegion.visible);
    EXPECT_EQ(editor.lblStatus, "");
}

TEST_F(Painting, EachButtonPaintsItsOwnTile) {
    Pick(kLeftButton, 9);
    Pick(kRightButton, 17);
    ClickCell(kLeftButton, 0, 0);
    ClickCell(kRightButton, 1, 0);
    EXPECT_EQ(editor.map.At(0, 0).mainTile, 9);
    EXPECT_EQ(editor.map.At(1, 0).mainTile, 17);
}

TEST_F(Painting, CellsAreFoundThroughTheScrollPosition) {
    hscrMain_Change(editor, 10);
    ClickCell(kLeftButton, 3, 2);
    EXPECT_EQ(editor.map.At(13, 2).mainTile, 1);
    EXPECT_EQ(editor.lblPlace, "13, 2");
}

TEST_F(Painting, TheViewsLastPixelActsAndTheNextOneDoesNot) {
    pctMain_MouseDown(editor, kLeftButton, 383, 255);
    EXPECT_EQ(editor.map.At(11, 7).mainTile, 1);
    EXPECT_EQ(editor.lblPlace, "11, 7");
    EXPECT_EQ(editor.shpMain.left, 352);
    EXPECT_EQ(editor.shpMain.top, 224);
    editor.map.At(11, 7).mainTile = 0;
    for (const auto& [x, y] : {std::pair{384, 10}, {10, 256}, {-1, 10}, {10, -1}}) {
        pctMain_MouseDown(editor, kLeftButton, x, y);
    }
    for (const MapCell& cell : editor.map.Cells())
        EXPECT_EQ(cell.mainTile, 0);
    EXPECT_EQ(editor.lblPlace, "11, 7");
}

TEST_F(Painting, BothButtonsOrTheMiddleButtonDoNothing) {
    pctMain_MouseDown(editor, kMiddleButton, 40, 40);
    pctMain_MouseMove(editor, kLeftButton | kRightButton, 80, 40);
    pctMain_MouseMove(editor, kMiddleButton, 120, 40);
    for (const MapCell& cell : editor.map.Cells())
        EXPECT_EQ(cell.mainTile, 0);
    EXPECT_EQ(editor.lblPlace, "現在位置");
    EXPECT_FALSE(editor.modified);
}

TEST_F(Painting, MovingWithoutAButtonOnlyMovesTheCursorAndThePlace) {
    pctMain_MouseMove(editor, 0, 100, 70);
    EXPECT_EQ(editor.shpMain.left, 96);
    EXPECT_EQ(editor.shpMain.top, 64);
    EXPECT_EQ(editor.lblPlace, "3, 2");
    EXPECT_EQ(editor.map.At(3, 2).mainTile, 0);
}

TEST_F(Painting, ADragActsOnceForEveryCellEntered) {
    Pick(kLeftButton, 28);  // the port tool shows every repeated action
    pctMain_MouseDown(editor, kLeftButton, 5, 5);
    pctMain_MouseMove(editor, kLeftButton, 20, 30);  // same cell
    for (int cx = 1; cx < 5; ++cx)
        pctMain_MouseMove(editor, kLeftButton, cx * 32 + 3, 5);
    pctMain_MouseMove(editor, kLeftButton, 3 * 32 + 3, 5);  // back into a painted cell
    for (int cx = 0; cx < 5; ++cx) {
        EXPECT_EQ(editor.map.At(cx, 0).mainTile, cx == 3 ? 33 : 32) << cx;
    }
}

TEST_F(Painting, APressAlwaysActsEvenOnTheCursorsCell) {
    Pick(kLeftButton, 28);
    ClickCell(kLeftButton, 2, 2);
    ClickCell(kLeftButton, 2, 2);
    EXPECT_EQ(editor.map.At(2, 2).mainTile, 33);
}

TEST_F(Painting, PortToolsPlacePortZeroAndAdvanceTheNumberWrapping) {
    Pick(kLeftButton, 28);
    Pick(kRightButton, 29);
    ClickCell(kLeftButton, 0, 0);
    EXPECT_EQ(editor.map.At(0, 0).mainTile, 32);
    ClickCell(kLeftButton, 0, 0);
    EXPECT_EQ(editor.map.At(0, 0).mainTile, 33);
    editor.map.At(0, 0).mainTile = 47;
    ClickCell(kLeftButton, 0, 0);
    EXPECT_EQ(editor.map.At(0, 0).mainTile, 32);

    ClickCell(kRightButton, 0, 0);  // a down port is no up port
    EXPECT_EQ(editor.map.At(0, 0).mainTile, 48);
    ClickCell(kRightButton, 0, 0);
    EXPECT_EQ(editor.map.At(0, 0).mainTile, 49);
    editor.map.At(0, 0).mainTile = 63;
    ClickCell(kRightButton, 0, 0);
    EXPECT_EQ(editor.map.At(0, 0).mainTile, 48);
    ClickCell(kLeftButton, 0, 0);
    EXPECT_EQ(editor.map.At(0, 0).mainTile, 32);
}

TEST_F(Painting, PortToolsAdvanceInInsertModeAndKeepTheOtherLayers) {
    mnuInsert_Click(editor);
    editor.map.At(0, 0) = MapCell{.mainTile = 40, .actorCode = 50};
    Pick(kLeftButton, 28);
    ClickCell(kLeftButton, 0, 0);
    EXPECT_EQ(editor.map.At(0, 0), (MapCell{.mainTile = 41, .actorCode = 50}));
}

TEST_F(Painting, LiftsFromTheLowerHalfAreFast) {
    Pick(kLeftButton, 13, true);
    ClickCell(kLeftButton, 0, 0);
    EXPECT_EQ(editor.map.At(0, 0).liftCode, 17);
    Pick(kLeftButton, 13);
    ClickCell(kLeftButton, 1, 0);
    EXPECT_EQ(editor.map.At(1, 0).liftCode, 13);
    Pick(kLeftButton, 26);
    ClickCell(kLeftButton, 2, 0);
    EXPECT_EQ(editor.map.At(2, 0).liftCode, 26);
    EXPECT_EQ(editor.chosenFast[0], 0);
}

TEST_F(Painting, PalettePicksAsTheyAreTaken) {
    Pick(kLeftButton, 40);
    EXPECT_EQ(editor.chosenTile[0], 40);
    mnuReverse_Click(editor);
    Pick(kLeftButton, 40);
    EXPECT_EQ(editor.chosenTile[0], 56);
    Pick(kRightButton, 52);  // the other facing, picked directly, is not turned again
    EXPECT_EQ(editor.chosenTile[1], 52);
    Pick(kRightButton, 12);
    EXPECT_EQ(editor.chosenTile[1], 12);
}

TEST_F(Painting, PaletteRowsThreeAndFourPaintActorsAndMainTiles) {
    Pick(kLeftButton, 50);
    ClickCell(kLeftButton, 0, 0);
    EXPECT_EQ(editor.map.At(0, 0), MapCell{.actorCode = 50});
    Pick(kLeftButton, 70);
    ClickCell(kLeftButton, 1, 0);
    EXPECT_EQ(editor.map.At(1, 0), MapCell{.mainTile = 70});
}

TEST_F(Painting, PressesOutsideThePaletteOrWithTheMiddleButtonPickNothing) {
    pctBase_MouseDown(editor, kLeftButton, 512, 10);
    pctBase_MouseDown(editor, kLeftButton, 10, 160);
    pctBase_MouseDown(editor, kLeftButton, -1, 10);
    pctBase_MouseDown(editor, kMiddleButton, 100, 10);
    EXPECT_EQ(editor.chosenTile[0], 1);
    EXPECT_EQ(editor.chosenTile[1], 0);
}

using InsertMode = EditorTest;

TEST_F(InsertMode, TheMenuSwitchesLabelCaptionAndOptions) {
    mnuInsert_Click(editor);
    EXPECT_TRUE(editor.insertMode);
    EXPECT_EQ(editor.lblIns, "挿入");
    EXPECT_EQ(editor.optInsSelected, 1);
    EXPECT_EQ(editor.mnuInsertCaption, "上書モードに切り替え(&I)");
    mnuInsert_Click(editor);
    EXPECT_FALSE(editor.insertMode);
    EXPECT_EQ(editor.lblIns, "上書");
    EXPECT_EQ(editor.optInsSelected, 0);
    EXPECT_EQ(editor.mnuInsertCaption, "挿入モードに切り替え(&I)");
}

TEST_F(InsertMode, TheOptionButtonsFollowAndLeadTheMenu) {
    optIns_Click(editor, 0);
    EXPECT_FALSE(editor.insertMode);
    optIns_Click(editor, 1);
    EXPECT_TRUE(editor.insertMode);
    EXPECT_EQ(editor.lblIns, "挿入");
    optIns_Click(editor, 1);
    EXPECT_TRUE(editor.insertMode);
    optIns_Click(editor, 0);
    EXPECT_FALSE(editor.insertMode);
    EXPECT_EQ(editor.optInsSelected, 0);
    EXPECT_EQ(editor.mnuInsertCaption, "挿入モードに切り替え(&I)");
}

}  // namespace
}  // namespace quorle::testing
