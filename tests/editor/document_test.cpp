#include <gtest/gtest.h>

#include "editor/core/document.h"
#include "editor/core/painting.h"
#include "editor/core/palette.h"
#include "editor/core/regions.h"
#include "editor/core/stage_dialog.h"
#include "tests/editor/editor_test_support.h"
#include "tests/support/scrambled_bytes.h"

namespace quorle::testing {
namespace {

const MessageRequest kSavePrompt =
    Box("変更されています。保存しますか？", MessageButtons::YesNoCancel, MessageIcon::Warning);

void WriteSettings(const std::filesystem::path& folder, const std::string& text) {
    tovek::test::WriteFile(folder / "Tovek.ini", text);
}

using StartUp = EditorTest;

TEST_F(StartUp, OpensAnEmptyFortyEightByEightMap) {
    EXPECT_EQ(editor.mapWidth, 48);
    EXPECT_EQ(editor.mapHeight, 8);
    ASSERT_EQ(editor.map.Width(), 48);
    ASSERT_EQ(editor.map.Height(), 8);
    for (const MapCell& cell : editor.map.Cells())
        EXPECT_EQ(cell, MapCell{});
    EXPECT_EQ(editor.background, 0);
    EXPECT_EQ(editor.currentStage, 0);
    EXPECT_EQ(editor.targetStage, 1);
    EXPECT_FALSE(editor.modified);
    EXPECT_EQ(editor.caption, "Quorle");
    EXPECT_EQ(editor.txtSize[0].text, "48");
    EXPECT_EQ(editor.txtSize[1].text, "8");
    EXPECT_EQ(editor.txtStage.text, "1");
    EXPECT_EQ(editor.hscrMain.max, 36);
    EXPECT_EQ(editor.vscrMain.max, 0);
    EXPECT_EQ(editor.editMode, 0);
    EXPECT_FALSE(editor.insertMode);
    EXPECT_FALSE(editor.reverse);
    EXPECT_EQ(editor.clipWidth, 0);
    EXPECT_FALSE(editor.mnuMapEnabled[4]);
}

TEST_F(StartUp, FirstFocusChoosesBlockForTheLeftAndTheEraserForTheRight) {
    EXPECT_EQ(editor.chosenTile[0], 1);
    EXPECT_EQ(editor.chosenTile[1], 0);
    EXPECT_TRUE(editor.paletteReady);
}

TEST_F(StartUp, WithoutSettingsTheStageFolderIsDataInTheProgramFolder) {
    EXPECT_EQ(editor.stageFolder, (programFolder.Path() / "data").string());
}

TEST_F(StartUp, TheFolderSettingIsFoundIgnoringCaseAndKeepsTheCaseOnDisk) {
    WriteSettings(programFolder.Path(), "[Customize]\r\nFolder=Stages\\Set1\r\n");
    std::filesystem::create_directories(programFolder.Path() / "stages" / "SET1");
    Form_Load(editor, programFolder.Path());
    EXPECT_EQ(editor.stageFolder, (programFolder.Path() / "stages" / "SET1").string());
}

TEST_F(StartUp, AMissingFolderKeepsTheCaseOfTheSetting) {
    WriteSettings(programFolder.Path(), "[Customize]\r\nFolder=MyStages\r\n");
    Form_Load(editor, programFolder.Path());
    EXPECT_EQ(editor.stageFolder, (programFolder.Path() / "MyStages").string());
}

TEST_F(StartUp, AnEmptyFolderSettingMeansData) {
    WriteSettings(programFolder.Path(), "[Customize]\r\nFolder=\r\n");
    Form_Load(editor, programFolder.Path());
    EXPECT_EQ(editor.stageFolder, (programFolder.Path() / "data").string());
}

using Title = EditorTest;

TEST_F(Title, ShowsTheStageNumberAndAnAsteriskWhileModified) {
    EXPECT_EQ(MakeTitle(editor), "Quorle");
    SetModified(editor, true);
    EXPECT_EQ(editor.caption, "Quorle*");
    SetStageNumber(editor, 5);
    EXPECT_EQ(editor.caption, "Quorle(5面)");
    EXPECT_FALSE(editor.modified);
    EXPECT_EQ(editor.txtStage.text, "5");
    SetModified(editor, true);
    EXPECT_EQ(editor.caption, "Quorle(5面)*");
    SetModified(editor, false);
    EXPECT_EQ(editor.caption, "Quorle(5面)");
}

TEST_F(Title, StageNumberZeroLeavesTheStageBoxAndHidesTheRegionFrame) {
    editor.txtStage.text = "9";
    editor.shpRegion.visible = true;
    SetStageNumber(editor, 0);
    EXPECT_EQ(editor.txtStage.text, "9");
    EXPECT_FALSE(editor.shpRegion.visible);
    EXPECT_EQ(editor.caption, "Quorle");
}

TEST_F(Title, StageFilesLiveInTheStageFolderWithTwoDigitNames) {
    const auto folder = std::filesystem::path(editor.stageFolder);
    EXPECT_EQ(StageFilePath(editor, 5), folder / "m05.dat");
    EXPECT_EQ(StageFilePath(editor, 42), folder / "m42.dat");
    EXPECT_EQ(StageFilePath(editor, 100), folder / "m00.dat");
}

class NewMap : public EditorTest {
  protected:
    // A modified stage 4 with a painted cell, background 3, a clip buffer,
    // insert mode and another left tile.
    void MakeChanges() {
        SetStageNumber(editor, 4);
        editor.targetStage = 4;
        editor.background = 3;
        ClickCell(kLeftButton, 2, 2);
        mnuMap_Click(editor, 1);
        ClickCell(kLeftButton, 2, 2);
        ClickCell(kLeftButton, 2, 2);
        mnuInsert_Click(editor);
        Pick(kLeftButton, 5);
        ASSERT_TRUE(editor.modified);
    }
};

TEST_F(NewMap, CancelInTheSavePromptChangesNothing) {
    MakeChanges();
    services.ExpectMessage(kSavePrompt, MessageAnswer::Cancel);
    mnuNew_Click(editor);
    EXPECT_EQ(editor.map.At(2, 2).mainTile, 1);
    EXPECT_EQ(editor.caption, "Quorle(4面)*");
    EXPECT_EQ(editor.background, 3);
    EXPECT_EQ(editor.currentStage, 4);
}

TEST_F(NewMap, NoGivesAnEmptyMapAndKeepsTheTools) {
    MakeChanges();
    editor.hscrMain.value = 10;
    services.ExpectMessage(kSavePrompt, MessageAnswer::No);
    mnuNew_Click(editor);
    EXPECT_EQ(editor.mapWidth, 48);
    EXPECT_EQ(editor.mapHeight, 8);
    EXPECT_EQ(editor.map.At(2, 2).mainTile, 0);
    EXPECT_EQ(editor.background, 0);
    EXPECT_EQ(editor.currentStage, 0);
    EXPECT_EQ(editor.caption, "Quorle");
    EXPECT_FALSE(editor.modified);
    EXPECT_EQ(editor.hscrMain.value, 0);
    EXPECT_EQ(editor.targetStage, 4);
    EXPECT_EQ(editor.clipWidth, 1);
    EXPECT_EQ(editor.chosenTile[0], 5);
    EXPECT_TRUE(editor.insertMode);
}

TEST_F(NewMap, AnUnmodifiedMapIsReplacedWithoutAQuestion) {
    editor.background = 2;
    mnuNew_Click(editor);
    EXPECT_EQ(editor.background, 0);
    EXPECT_TRUE(services.shown.empty());
}

TEST_F(NewMap, YesSavesFirst) {
    MakeChanges();
    MakeStageFolder();
    services.ExpectMessage(kSavePrompt, MessageAnswer::Yes);
    mnuNew_Click(editor);
    EXPECT_FALSE(StageBytes(4).empty());
    EXPECT_EQ(editor.map.At(2, 2).mainTile, 0);
    EXPECT_EQ(editor.currentStage, 0);
}

TEST_F(NewMap, YesWhoseSaveFailsKeepsTheChanges) {
    MakeChanges();  // no stage folder exists
    services.ExpectMessage(kSavePrompt, MessageAnswer::Yes);
    services.ExpectMessage(Box("「" + editor.stageFolder + "」 このフォルダは存在しません。",
                               MessageButtons::Ok, MessageIcon::Error),
                           MessageAnswer::Ok);
    mnuNew_Click(editor);
    EXPECT_EQ(editor.map.At(2, 2).mainTile, 1);
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(editor.currentStage, 4);
}

TEST_F(NewMap, YesWhoseSaveDialogIsCancelledKeepsTheChanges) {
    ClickCell(kLeftButton, 1, 1);
    services.ExpectMessage(kSavePrompt, MessageAnswer::Yes);
    services.ExpectStageDialog([](StageDialog& dialog) { dialog.cmdStage_Click(1); });
    mnuNew_Click(editor);
    EXPECT_EQ(editor.map.At(1, 1).mainTile, 1);
    EXPECT_TRUE(editor.modified);
}

using Closing = EditorTest;

TEST_F(Closing, AnUnmodifiedDocumentClosesAtOnce) {
    mnuExit_Click(editor);
    EXPECT_TRUE(editor.windowClosed);
    EXPECT_TRUE(services.shown.empty());
}

TEST_F(Closing, CancelKeepsTheWindowOpen) {
    ClickCell(kLeftButton, 0, 0);
    services.ExpectMessage(kSavePrompt, MessageAnswer::Cancel);
    mnuExit_Click(editor);
    EXPECT_FALSE(editor.windowClosed);
    services.ExpectMessage(kSavePrompt, MessageAnswer::Cancel);
    EXPECT_FALSE(Form_QueryUnload(editor));
    EXPECT_EQ(editor.map.At(0, 0).mainTile, 1);
    EXPECT_EQ(editor.caption, "Quorle*");
}

TEST_F(Closing, NoClosesWithoutSaving) {
    ClickCell(kLeftButton, 0, 0);
    services.ExpectMessage(kSavePrompt, MessageAnswer::No);
    EXPECT_TRUE(Form_QueryUnload(editor));
}

TEST_F(Closing, YesSavesTheOpenStageAndCloses) {
    MakeStageFolder();
    SetStageNumber(editor, 6);
    ClickCell(kLeftButton, 3, 0);
    services.ExpectMessage(kSavePrompt, MessageAnswer::Yes);
    mnuExit_Click(editor);
    EXPECT_TRUE(editor.windowClosed);
    const auto saved = tovek::ReadEditorStage(StageBytes(6));
    ASSERT_EQ(saved.width, 48);
    EXPECT_EQ(saved.cells[3].mainTile, 1);
}

TEST_F(Closing, YesWhoseSaveFailsKeepsTheWindowOpen) {
    SetStageNumber(editor, 6);
    ClickCell(kLeftButton, 3, 0);
    services.ExpectMessage(kSavePrompt, MessageAnswer::Yes);
    services.ExpectMessage(Box("「" + editor.stageFolder + "」 このフォルダは存在しません。",
                               MessageButtons::Ok, MessageIcon::Error),
                           MessageAnswer::Ok);
    mnuExit_Click(editor);
    EXPECT_FALSE(editor.windowClosed);
    EXPECT_TRUE(editor.modified);
}

}  // namespace
}  // namespace quorle::testing
