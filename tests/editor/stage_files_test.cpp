#include <gtest/gtest.h>

#include <tuple>

#include "common/coded_stream.h"
#include "common/random_source.h"
#include "common/stage_naming.h"
#include "editor/core/document.h"
#include "editor/core/map_view.h"
#include "editor/core/painting.h"
#include "editor/core/palette.h"
#include "editor/core/stage_dialog.h"
#include "editor/core/stage_files.h"
#include "tests/editor/editor_test_support.h"
#include "tests/support/failing_step.h"
#include "tests/support/scrambled_bytes.h"

namespace quorle::testing {
namespace {

const MessageRequest kSavePrompt =
    Box("変更されています。保存しますか？", MessageButtons::YesNoCancel, MessageIcon::Warning);

MessageRequest MissingData(int number) {
    return Box("データ" + std::to_string(number) + "にはデータがありません。", MessageButtons::Ok,
               MessageIcon::None);
}

MessageRequest OverwriteQuestion(int number) {
    return Box(
        "データ" + std::to_string(number) + "にはすでにデータが保存されています。上書きしますか？",
        MessageButtons::YesNo, MessageIcon::Information);
}

// A 20 x 10 stage whose cells all differ, with background 6.
tovek::EditorStage SampleStage() {
    tovek::EditorStage stage = EmptyStage(20, 10, 6);
    for (int y = 0; y < stage.height; ++y) {
        for (int x = 0; x < stage.width; ++x) {
            stage.cells[y * stage.width + x] =
                MapCell{.mainTile = static_cast<std::uint8_t>((x + y) % 2 ? 64 + x % 16 : 32 + y),
                        .actorCode = static_cast<std::uint8_t>(x % 3 ? 0 : 32 + x),
                        .liftCode = static_cast<std::uint8_t>(y % 4 == 1 ? 12 + x % 8 : 0),
                        .water = static_cast<std::uint8_t>(x == y ? 25 : 0)};
        }
    }
    return stage;
}

// Chooses `text` in the stage dialog and presses OK.
std::function<void(StageDialog&)> Choose(std::string text) {
    return [text](StageDialog& dialog) {
        dialog.cmbStage_Change(text);
        dialog.cmdStage_Click(0);
    };
}

class StageFiles : public EditorTest {
  protected:
    void ExpectMapEquals(const tovek::EditorStage& stage) {
        ASSERT_EQ(editor.mapWidth, stage.width);
        ASSERT_EQ(editor.mapHeight, stage.height);
        EXPECT_EQ(editor.background, stage.background);
        for (int y = 0; y < stage.height; ++y) {
            for (int x = 0; x < stage.width; ++x) {
                ASSERT_EQ(editor.map.At(x, y), stage.cells[y * stage.width + x]) << x << "," << y;
            }
        }
    }
    void LoadStage(int number) {
        editor.targetStage = number;
        LoadStageFile(editor);
        ASSERT_EQ(editor.currentStage, number);
    }
};

TEST_F(StageFiles, OpenShowsTheStagesWithDataAndLoadsTheChosenOne) {
    WriteStage(3, SampleStage());
    WriteStage(7, EmptyStage(12, 8));
    hscrMain_Change(editor, 5);
    services.ExpectStageDialog([](StageDialog& dialog) {
        EXPECT_EQ(dialog.caption, "ステージを開く");
        EXPECT_EQ(dialog.cmbModeIndex, 1);
        EXPECT_EQ(dialog.cmbStageList, (std::vector<std::string>{"3", "7"}));
        EXPECT_EQ(dialog.cmbStageText, "");
        Choose("3")(dialog);
    });
    mnuOpen_Click(editor);
    ExpectMapEquals(SampleStage());
    EXPECT_EQ(editor.lblStatus, "データ3から読み込みました。");
    EXPECT_EQ(editor.currentStage, 3);
    EXPECT_EQ(editor.targetStage, 3);
    EXPECT_EQ(editor.caption, "Quorle(3面)");
    EXPECT_EQ(editor.txtStage.text, "3");
    EXPECT_EQ(editor.txtSize[0].text, "20");
    EXPECT_EQ(editor.txtSize[1].text, "10");
    EXPECT_EQ(editor.hscrMain.value, 0);
    EXPECT_EQ(editor.hscrMain.max, 8);
    EXPECT_EQ(editor.vscrMain.max, 2);
    EXPECT_FALSE(editor.modified);
    EXPECT_FALSE(editor.dialogAccepted);
}

TEST_F(StageFiles, OpeningAMissingStageSaysSoAndChangesNothingElse) {
    MakeStageFolder();
    ClickCell(kLeftButton, 0, 0);
    services.ExpectMessage(kSavePrompt, MessageAnswer::No);
    services.ExpectStageDialog(Choose("9"));
    services.ExpectMessage(MissingData(9), MessageAnswer::Ok);
    mnuOpen_Click(editor);
    EXPECT_EQ(editor.targetStage, 9);
    EXPECT_EQ(editor.currentStage, 0);
    EXPECT_EQ(editor.map.At(0, 0).mainTile, 1);
    EXPECT_TRUE(editor.modified);
}

TEST_F(StageFiles, CancelInTheSavePromptOfOpenShowsNoDialog) {
    ClickCell(kLeftButton, 0, 0);
    services.ExpectMessage(kSavePrompt, MessageAnswer::Cancel);
    mnuOpen_Click(editor);
    EXPECT_EQ(editor.caption, "Quorle*");
}

TEST_F(StageFiles, ACancelledDialogOpensNothing) {
    WriteStage(3, SampleStage());
    services.ExpectStageDialog([](StageDialog& dialog) {
        dialog.cmbStage_Change("3");
        dialog.cmdStage_Click(1);
    });
    mnuOpen_Click(editor);
    EXPECT_EQ(editor.currentStage, 0);
    EXPECT_EQ(editor.mapWidth, 48);
    EXPECT_EQ(editor.targetStage, 1);
}

TEST_F(StageFiles, SaveOnANewMapAsksForTheNumberAndWritesTheStage) {
    MakeStageFolder();
    ClickCell(kLeftButton, 4, 2);
    pctBack_MouseDown(editor, kLeftButton, 60, 30);
    services.ExpectStageDialog([](StageDialog& dialog) {
        EXPECT_EQ(dialog.caption, "ステージを保存する");
        EXPECT_EQ(dialog.cmbModeIndex, 2);
        EXPECT_EQ(dialog.cmbStageList.size(), 100u);
        EXPECT_EQ(dialog.cmbStageText, "");
        Choose("5")(dialog);
    });
    mnuSave_Click(editor);
    EXPECT_EQ(editor.lblStatus, "データ5に保存しました。");
    EXPECT_EQ(editor.caption, "Quorle(5面)");
    EXPECT_FALSE(editor.modified);
    const tovek::EditorStage saved = tovek::ReadEditorStage(StageBytes(5));
    EXPECT_EQ(saved.background, 6);
    EXPECT_EQ(saved.width, 48);
    EXPECT_EQ(saved.height, 8);
    EXPECT_EQ(saved.cells[2 * 48 + 4].mainTile, 1);
}

TEST_F(StageFiles, SaveOnALoadedStageWritesAtOnceWithoutAQuestion) {
    WriteStage(3, SampleStage());
    LoadStage(3);
    editor.targetStage = 40;
    ClickCell(kLeftButton, 0, 0);
    EXPECT_EQ(editor.caption, "Quorle(3面)*");
    mnuSave_Click(editor);
    EXPECT_EQ(editor.targetStage, 3);
    EXPECT_EQ(editor.caption, "Quorle(3面)");
    EXPECT_EQ(tovek::ReadEditorStage(StageBytes(3)).cells[0].mainTile, 1);
}

TEST_F(StageFiles, SaveAsOverAnExistingStageAsksAndNoKeepsTheFile) {
    WriteStage(8, SampleStage());
    const auto before = StageBytes(8);
    ClickCell(kLeftButton, 0, 0);
    services.ExpectStageDialog(Choose("8"));
    services.ExpectMessage(OverwriteQuestion(8), MessageAnswer::No);
    mnuSaveAs_Click(editor);
    EXPECT_EQ(StageBytes(8), before);
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(editor.currentStage, 0);
    EXPECT_EQ(editor.targetStage, 8);

    services.ExpectStageDialog(Choose("8"));
    services.ExpectMessage(OverwriteQuestion(8), MessageAnswer::Yes);
    mnuSaveAs_Click(editor);
    EXPECT_EQ(tovek::ReadEditorStage(StageBytes(8)).width, 48);
    EXPECT_EQ(editor.caption, "Quorle(8面)");
}

TEST_F(StageFiles, AMissingFolderIsReportedAndTheDocumentStaysModified) {
    ClickCell(kLeftButton, 0, 0);
    services.ExpectStageDialog(Choose("2"));
    services.ExpectMessage(Box("「" + editor.stageFolder + "」 このフォルダは存在しません。",
                               MessageButtons::Ok, MessageIcon::Error),
                           MessageAnswer::Ok);
    mnuSave_Click(editor);
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(editor.caption, "Quorle*");
    EXPECT_EQ(editor.currentStage, 0);
    EXPECT_EQ(editor.lblStatus, "");
}

TEST_F(StageFiles, AFailedWriteNamesTheFileAndTheReasonAndIsNotReportedAsSaved) {
    WriteStage(3, SampleStage());
    LoadStage(3);
    ClickCell(kLeftButton, 0, 0);
    editor.lblStatus.clear();
    editor.stageFolder = "/proc";  // a folder in which no one can create a file
    services.ExpectStageDialog(Choose("4"));
    services.ExpectMessageStartingWith(
        Box("「/proc/m04.dat」 このファイルに保存できませんでした。\r\n", MessageButtons::Ok,
            MessageIcon::Error),
        MessageAnswer::Ok);
    mnuSaveAs_Click(editor);
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(editor.currentStage, 3);
    EXPECT_EQ(editor.caption, "Quorle(3面)*");
    EXPECT_EQ(editor.lblStatus, "");
}

// A full disk, an I/O error or a refused rename at any point of a save: the
// stage on disk stays whole, and the box says why.
TEST_F(StageFiles, AFailureAtAnyStepOfASaveKeepsTheStageOnDisk) {
    WriteStage(3, SampleStage());
    LoadStage(3);
    ClickCell(kLeftButton, 0, 0);
    const auto before = StageBytes(3);
    const std::string file = (std::filesystem::path(editor.stageFolder) / "m03.dat").string();
    using tovek::FileStep;
    const std::tuple<FileStep, std::errc, std::size_t> faults[] = {
        {FileStep::Write, std::errc::no_space_on_device, 50},
        {FileStep::Sync, std::errc::io_error, 0},
        {FileStep::Rename, std::errc::permission_denied, 0}};
    for (const auto& [step, error, byte] : faults) {
        tovek::test::FailingStep fault(step, error, byte);
        editor.fileFaults = &fault;
        services.ExpectMessage(Box("「" + file + "」 このファイルに保存できませんでした。\r\n" +
                                       std::make_error_code(error).message(),
                                   MessageButtons::Ok, MessageIcon::Error),
                               MessageAnswer::Ok);
        mnuSave_Click(editor);
        EXPECT_EQ(StageBytes(3), before);
        EXPECT_TRUE(editor.modified);
    }
    editor.fileFaults = nullptr;
}

TEST_F(StageFiles, EverySaveDrawsNewKeyMaterialFromTheFixedSeed) {
    MakeStageFolder();
    tovek::RandomSource reference(tovek::kEditorRandomSeed);
    for (int number : {11, 12}) {
        editor.targetStage = number;
        SaveStageFile(editor, false);
        const tovek::KeyMaterial key = tovek::DrawKeyMaterial(reference);
        const auto bytes = StageBytes(number);
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes[0], key.key);
        EXPECT_EQ(bytes[1], key.multiplier);
        EXPECT_EQ(bytes[1] % 2, 1);
    }
    EXPECT_NE(StageBytes(11), StageBytes(12));
}

TEST_F(StageFiles, TheFirstSaveOfEveryRunWritesTheSameBytes) {
    MakeStageFolder();
    editor.targetStage = 11;
    SaveStageFile(editor, false);
    Editor secondRun(services, sheets, nullptr);
    Form_Load(secondRun, programFolder.Path());
    secondRun.targetStage = 12;
    SaveStageFile(secondRun, false);
    EXPECT_EQ(StageBytes(11), StageBytes(12));
}

TEST_F(StageFiles, StageOneHundredLivesInMZeroZero) {
    MakeStageFolder();
    editor.targetStage = 100;
    SaveStageFile(editor, false);
    EXPECT_TRUE(std::filesystem::exists(programFolder.Path() / "data" / "m00.dat"));
    EXPECT_EQ(editor.caption, "Quorle(100面)");
}

TEST_F(StageFiles, AStageOfOddSizeOpensBroughtIntoRangeAndSaysSo) {
    tovek::EditorStage small = EmptyStage(5, 3, 2);
    for (std::size_t i = 0; i < small.cells.size(); ++i) {
        small.cells[i].mainTile = static_cast<std::uint8_t>(1 + i % 11);
    }
    WriteStage(4, small);
    LoadStage(4);
    EXPECT_EQ(editor.lblStatus,
              "データ4から読み込みました。\r\nマップのサイズ(5×3)を12×8に調整しました。");
    ASSERT_EQ(editor.mapWidth, 12);
    ASSERT_EQ(editor.mapHeight, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 12; ++x) {
            const int expected = x < 5 && y < 3 ? 1 + (y * 5 + x) % 11 : 0;
            EXPECT_EQ(editor.map.At(x, y).mainTile, expected) << x << "," << y;
        }
    }
    EXPECT_EQ(editor.hscrMain.max, 0);
    EXPECT_FALSE(editor.modified);
    EXPECT_EQ(editor.caption, "Quorle(4面)");
}

TEST_F(StageFiles, AStageOfSizeZeroOpensAsAnEmptySmallestMap) {
    WriteStage(4, EmptyStage(0, 0));
    LoadStage(4);
    EXPECT_EQ(editor.lblStatus,
              "データ4から読み込みました。\r\nマップのサイズ(0×0)を12×8に調整しました。");
    EXPECT_EQ(editor.mapWidth, 12);
    EXPECT_EQ(editor.mapHeight, 8);
}

TEST_F(StageFiles, ATruncatedFileOpensWithEmptyCellsAfterItsEnd) {
    WriteStage(6, SampleStage());
    auto bytes = StageBytes(6);
    bytes.resize(40);
    tovek::test::WriteFile(tovek::StageFilePath(programFolder.Path() / "data", 6), bytes);
    services.ExpectMessageStartingWith(Box("データ6のファイルはマップの途中で終わっています。",
                                           MessageButtons::Ok, MessageIcon::Warning),
                                       MessageAnswer::Ok);
    LoadStage(6);
    EXPECT_EQ(editor.mapWidth, 20);
    EXPECT_EQ(editor.mapHeight, 10);
    EXPECT_EQ(editor.map.At(0, 0), SampleStage().cells[0]);
    EXPECT_EQ(editor.map.At(19, 9), MapCell{});
}

class StageBox : public StageFiles {
  protected:
    void Type(const std::string& text) {
        txtStage_Change(editor, text);
        txtStage_LostFocus(editor);
    }
};

TEST_F(StageBox, NumbersAreBroughtIntoOneToHundred) {
    WriteStage(1, EmptyStage(13, 8));
    WriteStage(100, EmptyStage(14, 8));
    Type("0");
    EXPECT_EQ(editor.currentStage, 1);
    EXPECT_EQ(editor.mapWidth, 13);
    Type("150");
    EXPECT_EQ(editor.currentStage, 100);
    EXPECT_EQ(editor.txtStage.text, "100");
    EXPECT_EQ(editor.mapWidth, 14);
    Type("-4");
    EXPECT_EQ(editor.currentStage, 1);
}

TEST_F(StageBox, TextThatIsNoPlainNumberFallsBackToTheTargetStage) {
    WriteStage(2, EmptyStage(13, 8));
    WriteStage(5, EmptyStage(15, 8));
    editor.targetStage = 5;
    Type("7.5");
    EXPECT_EQ(editor.currentStage, 5);
    EXPECT_EQ(editor.mapWidth, 15);
}

TEST_F(StageBox, TheOpenStagesNumberDoesNothingEvenWhenModified) {
    WriteStage(2, EmptyStage(13, 8));
    LoadStage(2);
    ClickCell(kLeftButton, 0, 0);
    Type("2");
    EXPECT_EQ(editor.map.At(0, 0).mainTile, 1);
    EXPECT_TRUE(editor.modified);
}

TEST_F(StageBox, AMissingStageOrCancelPutsTheBoxBack) {
    WriteStage(2, EmptyStage(13, 8));
    editor.targetStage = 6;
    Type("9");
    EXPECT_EQ(editor.txtStage.text, "6");
    EXPECT_EQ(editor.currentStage, 0);
    ClickCell(kLeftButton, 0, 0);
    services.ExpectMessage(kSavePrompt, MessageAnswer::Cancel);
    Type("2");
    EXPECT_EQ(editor.txtStage.text, "6");
    EXPECT_EQ(editor.targetStage, 6);
    EXPECT_EQ(editor.map.At(0, 0).mainTile, 1);
}

TEST_F(StageBox, NoInTheSavePromptDropsTheChangesAndOpens) {
    WriteStage(2, EmptyStage(13, 8));
    ClickCell(kLeftButton, 0, 0);
    services.ExpectMessage(kSavePrompt, MessageAnswer::No);
    txtStage_Change(editor, "2");
    txtStage_KeyDown(editor, 13);
    EXPECT_EQ(editor.currentStage, 2);
    EXPECT_EQ(editor.targetStage, 2);
    EXPECT_EQ(editor.map.At(0, 0).mainTile, 0);
    EXPECT_EQ(editor.lblStatus, "データ2から読み込みました。");
}

TEST_F(StageBox, OtherKeysDoNothing) {
    WriteStage(2, EmptyStage(13, 8));
    txtStage_Change(editor, "2");
    txtStage_KeyDown(editor, 50);
    EXPECT_EQ(editor.currentStage, 0);
}

using Arrows = StageFiles;

TEST_F(Arrows, FindTheNearestOtherStageWrappingBothWays) {
    WriteStage(3, EmptyStage(13, 8));
    WriteStage(8, EmptyStage(18, 8));
    LoadStage(3);
    cmdStage_Click(editor, 1);
    EXPECT_EQ(editor.currentStage, 8);
    cmdStage_Click(editor, 1);
    EXPECT_EQ(editor.currentStage, 3);
    cmdStage_Click(editor, 0);
    EXPECT_EQ(editor.currentStage, 8);
    EXPECT_EQ(editor.txtStage.text, "8");
    EXPECT_EQ(editor.mapWidth, 18);
}

TEST_F(Arrows, WithANewMapTheyStartFromEitherEnd) {
    WriteStage(3, EmptyStage(13, 8));
    WriteStage(8, EmptyStage(18, 8));
    cmdStage_Click(editor, 0);
    EXPECT_EQ(editor.currentStage, 8);
    mnuNew_Click(editor);
    cmdStage_Click(editor, 1);
    EXPECT_EQ(editor.currentStage, 3);
}

TEST_F(Arrows, TheOnlyStageIsNotReopenedAndNoStageMeansNothing) {
    MakeStageFolder();
    cmdStage_Click(editor, 1);
    EXPECT_EQ(editor.currentStage, 0);
    WriteStage(100, EmptyStage(13, 8));
    LoadStage(100);
    ClickCell(kLeftButton, 0, 0);
    cmdStage_Click(editor, 0);
    cmdStage_Click(editor, 1);
    EXPECT_EQ(editor.map.At(0, 0).mainTile, 1);
    EXPECT_TRUE(services.shown.empty());
}

TEST_F(Arrows, UnsavedChangesAreAskedAboutFirst) {
    WriteStage(3, EmptyStage(13, 8));
    WriteStage(8, EmptyStage(18, 8));
    LoadStage(3);
    ClickCell(kLeftButton, 0, 0);
    services.ExpectMessage(kSavePrompt, MessageAnswer::Cancel);
    cmdStage_Click(editor, 1);
    EXPECT_EQ(editor.currentStage, 3);
    EXPECT_EQ(editor.txtStage.text, "3");
    services.ExpectMessage(kSavePrompt, MessageAnswer::Yes);
    cmdStage_Click(editor, 1);
    EXPECT_EQ(editor.currentStage, 8);
    EXPECT_EQ(tovek::ReadEditorStage(StageBytes(3)).cells[0].mainTile, 1);
}

}  // namespace
}  // namespace quorle::testing
