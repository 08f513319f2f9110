#include <gtest/gtest.h>

#include "common/stage_file.h"
#include "editor/core/map_size.h"
#include "editor/core/painting.h"
#include "editor/core/palette.h"
#include "editor/core/stage_dialog.h"
#include "editor/core/stage_files.h"
#include "tests/editor/editor_test_support.h"
#include "tests/support/stage_maps.h"

namespace quorle::testing {
namespace {

// Copies a map the editor could hold into the document.
void PutIntoMap(Editor& editor, const tovek::EditorStage& stage) {
    for (int y = 0; y < stage.height; ++y) {
        for (int x = 0; x < stage.width; ++x)
            editor.map.At(x, y) = stage.cells[y * stage.width + x];
    }
}

class SavedStage : public EditorTest {
  protected:
    // Saves the document as stage `number` through Save As and reads the
    // file back with the game's reader, unmirrored.
    tovek::GameStage SaveAndReadInGame(int number) {
        MakeStageFolder();
        services.ExpectStageDialog([number](StageDialog& dialog) {
            dialog.cmbStage_Change(std::to_string(number));
            dialog.cmdStage_Click(0);
        });
        mnuSaveAs_Click(editor);
        EXPECT_FALSE(editor.modified);
        const auto stage = tovek::ReadGameStage(StageBytes(number), false, false);
        EXPECT_TRUE(stage.has_value());
        return stage.value_or(tovek::GameStage{});
    }

    void ExpectGameSeesTheMap(const tovek::GameStage& game) {
        ASSERT_EQ(game.mapWidth, editor.mapWidth);
        ASSERT_EQ(game.mapHeight, editor.mapHeight);
        EXPECT_EQ(game.background, editor.background);
        for (int y = 0; y < editor.mapHeight; ++y) {
            for (int x = 0; x < editor.mapWidth; ++x) {
                const MapCell& cell = editor.map.At(x, y);
                const std::size_t i = static_cast<std::size_t>(y) * editor.mapWidth + x;
                ASSERT_EQ(game.tileMap[i], cell.mainTile) << x << "," << y;
                ASSERT_EQ(game.spawnActor[i], cell.actorCode) << x << "," << y;
                ASSERT_EQ(game.spawnLift[i], cell.liftCode) << x << "," << y;
                ASSERT_EQ(game.waterMap[i], cell.water) << x << "," << y;
            }
        }
    }
};

TEST_F(SavedStage, WhatThePaletteAndThePortToolsPaintLoadsInTheGameUnchanged) {
    mnuInsert_Click(editor);
    pctBack_MouseDown(editor, kLeftButton, 90, 90);
    const struct {
        int code;
        bool lowerHalf;
        int cx, cy;
    } strokes[] = {{16, false, 0, 7}, {25, false, 0, 7},  {14, true, 1, 7},  {26, false, 2, 7},
                   {40, false, 2, 7}, {52, false, 3, 6},  {28, false, 4, 6}, {28, false, 4, 6},
                   {29, false, 5, 6}, {70, false, 6, 5},  {31, false, 7, 5}, {12, false, 7, 5},
                   {5, false, 8, 4},  {24, false, 11, 0}, {16, false, 9, 3}};
    for (const auto& stroke : strokes) {
        Pick(kLeftButton, stroke.code, stroke.lowerHalf);
        ClickCell(kLeftButton, stroke.cx, stroke.cy);
    }
    const tovek::GameStage game = SaveAndReadInGame(21);
    ExpectGameSeesTheMap(game);
    ASSERT_TRUE(game.start.has_value());
    EXPECT_EQ(game.start->column, 0);  // of two start cells, the later one in the file
    EXPECT_EQ(game.start->row, 7);
    EXPECT_EQ(game.tileMap[6 * 48 + 4], 33);
    EXPECT_EQ(game.spawnLift[7 * 48 + 1], 18);
}

TEST_F(SavedStage, EveryStorableCellOfTheLargestMapLoadsInTheGameUnchanged) {
    SetMapSize(editor, 255, 255, true);
    tovek::RandomSource random(8);
    PutIntoMap(editor, tovek::test::RandomEditorStage(random, 255, 255));
    editor.background = 15;
    ExpectGameSeesTheMap(SaveAndReadInGame(100));
}

TEST_F(SavedStage, TheEditorReadsBackWhatItSaved) {
    SetMapSize(editor, 30, 9, true);
    tovek::RandomSource random(3);
    PutIntoMap(editor, tovek::test::RandomEditorStage(random, 30, 9));
    const CellGrid saved = editor.map;
    SaveAndReadInGame(9);
    SetMapSize(editor, 12, 8, true);
    editor.targetStage = 9;
    LoadStageFile(editor);
    ASSERT_EQ(editor.map.Width(), 30);
    EXPECT_EQ(editor.map.Cells(), saved.Cells());
}

}  // namespace
}  // namespace quorle::testing
