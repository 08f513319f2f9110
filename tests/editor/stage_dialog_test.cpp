#include <gtest/gtest.h>

#include <algorithm>

#include "common/stage_naming.h"
#include "editor/core/document.h"
#include "editor/core/map_size.h"
#include "editor/core/stage_dialog.h"
#include "editor/core/stage_files.h"
#include "tests/editor/editor_test_support.h"
#include "tests/support/scrambled_bytes.h"

namespace quorle::testing {
namespace {

class StageDialogTest : public EditorTest {
  protected:
    StageDialog Open(bool saveMode) {
        editor.dialogSaveMode = saveMode;
        StageDialog dialog(editor);
        dialog.Form_Load();
        return dialog;
    }
    // A folder beside the stage folder holding stages 3 and 7.
    std::string OtherFolder() {
        const auto folder = programFolder.Path() / "more";
        std::filesystem::create_directories(folder);
        for (int number : {3, 7}) {
            tovek::test::WriteFile(tovek::StageFilePath(folder, number),
                                   tovek::WriteEditorStage(EmptyStage(12, 8), {1, 3}));
        }
        return folder.string();
    }
};

TEST_F(StageDialogTest, SavingOnANewMapStartsWithTheFreeNumbersAndNoSelection) {
    WriteStage(2, EmptyStage(12, 8));
    const StageDialog dialog = Open(true);
    EXPECT_EQ(dialog.caption, "ステージを保存する");
    EXPECT_EQ(dialog.cmbModeIndex, 2);
    EXPECT_EQ(dialog.cmbStageText, "");
    EXPECT_EQ(dialog.txtFolder, editor.stageFolder);
    ASSERT_EQ(dialog.cmbStageList.size(), 99u);
    EXPECT_EQ(dialog.cmbStageList[0], "1");
    EXPECT_EQ(dialog.cmbStageList[1], "3");
    EXPECT_EQ(dialog.cmbStageList[98], "100");
}

TEST_F(StageDialogTest, OpeningProposesTheOpenStage) {
    WriteStage(4, EmptyStage(12, 8));
    SetStageNumber(editor, 4);
    const StageDialog dialog = Open(false);
    EXPECT_EQ(dialog.caption, "ステージを開く");
    EXPECT_EQ(dialog.cmbModeIndex, 1);
    EXPECT_EQ(dialog.cmbStageList, (std::vector<std::string>{"4"}));
    EXPECT_EQ(dialog.cmbStageText, "4");
}

TEST_F(StageDialogTest, TheFilterShowsAllOrOnlyTheStagesWithOrWithoutData) {
    WriteStage(5, EmptyStage(12, 8));
    WriteStage(50, EmptyStage(12, 8));
    StageDialog dialog = Open(false);
    dialog.cmbStage_Change("12");
    dialog.cmbMode_Click(0);
    EXPECT_EQ(dialog.cmbStageList.size(), 100u);
    EXPECT_EQ(dialog.cmbStageText, "");  // a refresh does not keep a typed number
    dialog.cmbMode_Click(2);
    EXPECT_EQ(dialog.cmbStageList.size(), 98u);
    EXPECT_EQ(std::count(dialog.cmbStageList.begin(), dialog.cmbStageList.end(), "50"), 0);
    dialog.cmbMode_Click(1);
    EXPECT_EQ(dialog.cmbStageList, (std::vector<std::string>{"5", "50"}));
    dialog.cmbMode_Click(3);
    EXPECT_EQ(dialog.cmbModeIndex, 1);
}

TEST_F(StageDialogTest, OkChoosesTheNumberBroughtIntoRange) {
    const std::pair<const char*, int> cases[] = {{"150", 100}, {"0", 1},   {"42", 42},
                                                 {"abc", 42},  {"07", 42}, {"-3", 1}};
    for (const auto& [text, expected] : cases) {
        editor.targetStage = 42;
        StageDialog dialog = Open(false);
        dialog.cmbStage_Change(text);
        dialog.cmdStage_Click(0);
        EXPECT_TRUE(dialog.closed);
        EXPECT_TRUE(editor.dialogAccepted);
        EXPECT_EQ(editor.targetStage, expected) << text;
        editor.dialogAccepted = false;
    }
}

TEST_F(StageDialogTest, CancelAcceptsNothing) {
    StageDialog dialog = Open(false);
    dialog.cmbStage_Change("9");
    dialog.cmdStage_Click(1);
    EXPECT_TRUE(dialog.closed);
    EXPECT_FALSE(editor.dialogAccepted);
    EXPECT_EQ(editor.targetStage, 1);
}

TEST_F(StageDialogTest, AnotherFolderListsItsOwnStagesAndStaysAfterCancel) {
    WriteStage(9, EmptyStage(12, 8));
    SetStageNumber(editor, 9);
    StageDialog dialog = Open(false);
    const std::string folder = OtherFolder();
    dialog.cmbStage_Change("5");
    dialog.txtFolder_Change(folder);
    dialog.txtFolder_LostFocus();
    EXPECT_EQ(dialog.cmbStageList, (std::vector<std::string>{"3", "7"}));
    EXPECT_EQ(dialog.cmbStageText, "9");
    dialog.cmdStage_Click(1);
    EXPECT_EQ(editor.stageFolder, folder);
    EXPECT_EQ(StageFilePath(editor, 3), std::filesystem::path(folder) / "m03.dat");
}

TEST_F(StageDialogTest, EnterInTheFolderBoxActsAsLeavingIt) {
    StageDialog dialog = Open(false);
    dialog.txtFolder_Change(OtherFolder());
    dialog.txtFolder_KeyDown(65);
    EXPECT_TRUE(dialog.cmbStageList.empty());
    dialog.txtFolder_KeyDown(kEnterKey);
    EXPECT_EQ(dialog.cmbStageList.size(), 2u);
}

TEST_F(StageDialogTest, LeavingTheFolderBoxUnchangedDoesNotRefresh) {
    StageDialog dialog = Open(false);
    dialog.cmbStage_Change("33");
    dialog.txtFolder_LostFocus();
    EXPECT_EQ(dialog.cmbStageText, "33");
}

TEST_F(StageDialogTest, AMissingFolderListsNothingWithDataAndEverythingWithout) {
    StageDialog dialog = Open(false);
    dialog.txtFolder_Change((programFolder.Path() / "nowhere").string());
    dialog.txtFolder_LostFocus();
    EXPECT_TRUE(dialog.cmbStageList.empty());
    dialog.cmbMode_Click(2);
    EXPECT_EQ(dialog.cmbStageList.size(), 100u);
}

TEST_F(StageDialogTest, ClosingTheWindowActsAsCancel) {
    services.ExpectStageDialog([](StageDialog& dialog) {
        dialog.cmbStage_Change("5");
        dialog.Form_Unload();
    });
    mnuOpen_Click(editor);
    EXPECT_FALSE(editor.dialogAccepted);
    EXPECT_EQ(editor.targetStage, 1);
}

}  // namespace
}  // namespace quorle::testing
