// What a stage builder sees and reaches: names of palette cells, backgrounds
// and map cells, line drags, the wheel, a cell shown on request, and a
// damaged short file reported before it is shown.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/stage_naming.h"
#include "editor/core/document.h"
#include "editor/core/geometry.h"
#include "editor/core/map_size.h"
#include "editor/core/map_view.h"
#include "editor/core/painting.h"
#include "editor/core/palette.h"
#include "editor/core/regions.h"
#include "editor/core/route_overlay.h"
#include "editor/core/stage_files.h"
#include "editor/core/tile_names.h"
#include "tests/editor/editor_test_support.h"
#include "tests/support/scrambled_bytes.h"

namespace quorle::testing {
namespace {

using BuilderAids = EditorTest;

TEST_F(BuilderAids, EveryPaletteCellAndBackgroundHasItsOwnName) {
    std::set<std::string> names;
    for (int code = 0; code < 80; ++code) {
        for (bool lowerHalf : {false, true}) {
            const std::string text = PaletteTextAt(editor, (code % 16) * kCell + 5,
                                                   (code / 16) * kCell + (lowerHalf ? 20 : 5));
            EXPECT_FALSE(text.empty()) << code;
            names.insert(text);
        }
    }
    // 80 cells, the four lift cells with two halves; rows 2 and 3 name the
    // same sixteen kinds facing each way.
    EXPECT_EQ(names.size(), 84u);
    EXPECT_EQ(PaletteTileName(18, false, false).name, "コイン");
    EXPECT_EQ(PaletteTileName(56, false, false).name, "コウモリ（右向き）");
    EXPECT_EQ(PaletteTileName(40, false, false).name, "コウモリ（左向き）");
    EXPECT_EQ(PaletteTileName(13, true, false).name, "右へ動くリフト（速い）");
    EXPECT_EQ(MainTileName(51), "上向きポート 3");
    EXPECT_EQ(MainTileName(45), "下向きポート D");

    // With reverse on, the first actor row places the other facing.
    mnuReverse_Click(editor);
    EXPECT_EQ(PaletteTextAt(editor, 8 * kCell + 5, 2 * kCell + 5),
              PaletteTileName(56, false, false).Text());

    std::set<std::string> backgrounds;
    for (int n = 0; n < 16; ++n)
        backgrounds.insert(BackgroundTextAt(editor, (n % 4) * 28, (n / 4) * 28));
    EXPECT_EQ(backgrounds.size(), 16u);
    EXPECT_EQ(BackgroundTextAt(editor, 112, 0), "");
}

TEST_F(BuilderAids, TheStatusLineNamesWhatTheMouseIsOver) {
    pctBase_MouseMove(editor, 0, (18 % 16) * kCell + 3, kCell + 3);
    EXPECT_EQ(editor.lblInfo, PaletteTileName(18, false, false).Text());
    pctBack_MouseMove(editor, 0, 29, 1);
    EXPECT_EQ(editor.lblInfo, BackgroundName(1));
    Picture_MouseLeave(editor);
    EXPECT_EQ(editor.lblInfo, "");

    editor.map.At(3, 2) = MapCell{.mainTile = 3, .actorCode = 56, .liftCode = 18, .water = 25};
    pctMain_MouseMove(editor, 0, 3 * kCell + 1, 2 * kCell + 1);
    EXPECT_EQ(editor.lblInfo,
              "タイル: レンガ　キャラ: コウモリ（右向き）　リフト: 上へ動くリフト（速い）　水");
    pctMain_MouseMove(editor, 0, 4 * kCell + 1, 2 * kCell + 1);
    EXPECT_EQ(editor.lblInfo, "空きマス");
}

TEST_F(BuilderAids, ADragPaintsEveryCellOnTheLineBetweenTwoReportedCells) {
    mnuInsert_Click(editor);
    pctMain_MouseDown(editor, kLeftButton, 0 * kCell + 4, 1 * kCell + 4);
    pctMain_MouseMove(editor, kLeftButton, 6 * kCell + 4, 4 * kCell + 4);
    // Out of the view and back in: no line across the way outside.
    pctMain_MouseMove(editor, kLeftButton, -5, 4 * kCell + 4);
    pctMain_MouseMove(editor, kLeftButton, 11 * kCell + 4, 7 * kCell + 4);
    pctMain_MouseUp(editor, kLeftButton, 11 * kCell + 4, 7 * kCell + 4);
    std::set<std::pair<int, int>> painted;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 12; ++x) {
            if (editor.map.At(x, y).mainTile != 0) painted.insert({x, y});
        }
    }
    const std::set<std::pair<int, int>> line{{0, 1}, {1, 2}, {2, 2}, {3, 3},
                                             {4, 3}, {5, 4}, {6, 4}, {11, 7}};
    EXPECT_EQ(painted, line);
    EXPECT_TRUE(editor.history.CanUndo());

    // Waiting region commands still act only on the cells the moves report.
    editor.map = CellGrid(editor.mapWidth, editor.mapHeight);
    mnuMap_Click(editor, 3);
    pctMain_MouseDown(editor, kLeftButton, 0, 0);
    pctMain_MouseMove(editor, kLeftButton, 5 * kCell, 5 * kCell);
    EXPECT_EQ(editor.editMode, 0);
    EXPECT_EQ(editor.map.At(5, 5).mainTile, 1);
    EXPECT_EQ(editor.map.At(6, 6).mainTile, 0);
}

TEST_F(BuilderAids, TheWheelScrollsWithinTheMapAndShowCellCentresACell) {
    SetMapSize(editor, 40, 20, true);
    pctMain_MouseMove(editor, 0, 2 * kCell, 3 * kCell);
    pctMain_MouseWheel(editor, 0, 3);
    EXPECT_EQ(editor.vscrMain.value, 3);
    EXPECT_EQ(editor.lblPlace, "2, 6");
    pctMain_MouseWheel(editor, 5, -10);
    EXPECT_EQ(editor.hscrMain.value, 5);
    EXPECT_EQ(editor.vscrMain.value, 0);
    pctMain_MouseWheel(editor, 100, 100);
    EXPECT_EQ(editor.hscrMain.value, editor.hscrMain.max);
    EXPECT_EQ(editor.vscrMain.value, editor.vscrMain.max);

    ShowCell(editor, 20, 10);
    EXPECT_EQ(editor.hscrMain.value, 14);
    EXPECT_EQ(editor.vscrMain.value, 6);
    EXPECT_EQ(CursorCell(editor), std::pair(20, 10));
    ShowCell(editor, 1, 1);  // near the corner the view stops at the map's edge
    EXPECT_EQ(editor.hscrMain.value, 0);
    EXPECT_EQ(CursorCell(editor), std::pair(1, 1));
    EXPECT_EQ(editor.lblPlace, "1, 1");
}

TEST_F(BuilderAids, ARouteIsDrawnOverTheViewBrokenAtPortsAndHiddenAgain) {
    const tovek::Surface plain = editor.pctMain.image;
    // Along row 1, then a jump through a port far to the right and back.
    ShowRoute(editor, {{0, kCell}, {4 * kCell, kCell}, {9 * kCell, 6 * kCell}});
    const tovek::Surface& shown = editor.pctMain.image;
    EXPECT_EQ(shown.Pixel(2 * kCell, kCell + kCell / 2), kRouteColour);
    EXPECT_EQ(shown.Pixel(6 * kCell, 3 * kCell), plain.Pixel(6 * kCell, 3 * kCell));
    EXPECT_EQ(CursorCell(editor), std::pair(0, 1));
    ShowRoute(editor, {});
    EXPECT_EQ(editor.pctMain.image, plain);
}

TEST_F(BuilderAids, ANewDocumentDropsTheRouteOfThePreviousOne) {
    ShowRoute(editor, {{0, kCell}, {4 * kCell, kCell}});
    const unsigned opened = editor.openedDocuments;
    mnuNew_Click(editor);
    EXPECT_TRUE(editor.shownRoute.empty());
    EXPECT_EQ(editor.openedDocuments, opened + 1);
}

TEST_F(BuilderAids, AShortFileSaysWhichCellsCameFromItBeforeItIsShown) {
    // 20 x 10 cells of main tile 3: one byte each; the file ends after 37.
    tovek::EditorStage stage = EmptyStage(20, 10);
    for (MapCell& cell : stage.cells)
        cell.mainTile = 3;
    WriteStage(7, stage);
    std::vector<std::uint8_t> bytes = StageBytes(7);
    bytes.resize(5 + 37);
    tovek::test::WriteFile(tovek::StageFilePath(programFolder.Path() / "data", 7), bytes);
    services.ExpectMessage(
        Box("データ7のファイルはマップの途中で終わっています。\r\n"
            "ファイルから読めたのは、20×10マスのうち上の行から順に(16, 1)までの37マスだけです。"
            "残りのマスは空で開きます。\r\n"
            "このまま保存すると、空のマスもそのまま保存されます。",
            MessageButtons::Ok, MessageIcon::Warning),
        MessageAnswer::Ok);
    editor.targetStage = 7;
    LoadStageFile(editor);
    EXPECT_EQ(editor.map.At(16, 1).mainTile, 3);
    EXPECT_EQ(editor.map.At(17, 1).mainTile, 0);

    // A whole file says nothing.
    WriteStage(8, stage);
    editor.targetStage = 8;
    LoadStageFile(editor);
}

}  // namespace
}  // namespace quorle::testing
