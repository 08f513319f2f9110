#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>

#include "common/stage_naming.h"
#include "editor/core/document.h"
#include "editor/core/painting.h"
#include "editor/core/recovery_file.h"
#include "editor/core/stage_files.h"
#include "editor/core/undo_redo.h"
#include "tests/editor/editor_test_support.h"
#include "tests/support/failing_step.h"

namespace quorle::testing {
namespace {

const MessageRequest kRestoreQuestion = Box("前回保存されなかった変更があります。復元しますか？",
                                            MessageButtons::YesNo, MessageIcon::Warning);
const MessageRequest kSavePrompt =
    Box("変更されています。保存しますか？", MessageButtons::YesNoCancel, MessageIcon::Warning);

class Recovery : public EditorTest {
  protected:
    Recovery() {
        MakeStageFolder();
        WriteStage(3, EmptyStage(30, 12, 2));
        editor.targetStage = 3;
        LoadStageFile(editor);
        Pick(kLeftButton, 5);
        ClickCell(kLeftButton, 2, 4);
    }

    // The editor as the next start finds it, after the answer to the
    // question when one is expected.
    std::unique_ptr<Editor> Restart(std::optional<MessageAnswer> answer) {
        auto next = std::make_unique<Editor>(services, sheets, nullptr);
        Form_Load(*next, programFolder.Path());
        if (answer) services.ExpectMessage(kRestoreQuestion, *answer);
        OfferRecovery(*next);
        return next;
    }

    bool RecoveryExists() const { return std::filesystem::exists(RecoveryFilePath(editor)); }
};

TEST_F(Recovery, UnsavedEditsComeBackModifiedForTheirStageAndTheStageFileIsUntouched) {
    const auto stageBefore = StageBytes(3);
    Autosave(editor);
    EXPECT_EQ(RecoveryFilePath(editor), programFolder.Path() / "data.quorle-recovery");
    EXPECT_EQ(StageBytes(3), stageBefore);

    const std::unique_ptr<Editor> restarted = Restart(MessageAnswer::Yes);
    Editor& next = *restarted;
    EXPECT_EQ(static_cast<const StageDocument&>(next), static_cast<const StageDocument&>(editor));
    EXPECT_TRUE(next.modified);
    EXPECT_EQ(next.currentStage, 3);
    EXPECT_EQ(next.caption, "Quorle(3面)*");
    // An edit and its undo give back the restored map, still unsaved.
    next.chosenTile[0] = 6;
    pctMain_MouseDown(next, kLeftButton, 4, 4);
    pctMain_MouseUp(next, kLeftButton, 4, 4);
    mnuUndo_Click(next);
    EXPECT_EQ(next.map, editor.map);
    EXPECT_TRUE(next.modified);
}

TEST_F(Recovery, OnlyChangesAreWrittenAndNothingUnsavedRemovesTheFile) {
    Autosave(editor);
    const auto written = std::filesystem::last_write_time(RecoveryFilePath(editor));
    std::filesystem::last_write_time(RecoveryFilePath(editor), written - std::chrono::seconds(60));
    Autosave(editor);  // nothing new
    EXPECT_EQ(std::filesystem::last_write_time(RecoveryFilePath(editor)),
              written - std::chrono::seconds(60));
    mnuUndo_Click(editor);  // back to the saved map
    Autosave(editor);
    EXPECT_FALSE(RecoveryExists());
    Restart(std::nullopt);  // no question
}

TEST_F(Recovery, ASaveOrAnExitThatDropsTheEditsRemovesTheFile) {
    Autosave(editor);
    mnuSave_Click(editor);
    EXPECT_FALSE(RecoveryExists());

    ClickCell(kLeftButton, 3, 4);
    Autosave(editor);
    services.ExpectMessage(kSavePrompt, MessageAnswer::No);
    mnuExit_Click(editor);
    EXPECT_TRUE(editor.windowClosed);
    EXPECT_FALSE(RecoveryExists());

    // A cancelled exit keeps it.
    ClickCell(kLeftButton, 4, 4);
    Autosave(editor);
    services.ExpectMessage(kSavePrompt, MessageAnswer::Cancel);
    EXPECT_FALSE(Form_QueryUnload(editor));
    EXPECT_TRUE(RecoveryExists());
}

TEST_F(Recovery, NoDropsTheFileAndAStaleOrDamagedOneIsNotOffered) {
    Autosave(editor);
    EXPECT_FALSE(Restart(MessageAnswer::No)->modified);
    EXPECT_FALSE(RecoveryExists());

    // Stage 3 saved by another program after the recovery file was written.
    ClickCell(kLeftButton, 3, 4);
    Autosave(editor);
    const auto path = RecoveryFilePath(editor);
    std::filesystem::last_write_time(
        path, std::filesystem::last_write_time(path) - std::chrono::seconds(10));
    Restart(std::nullopt);
    EXPECT_TRUE(RecoveryExists());

    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 1);
    std::filesystem::last_write_time(
        path,
        std::filesystem::last_write_time(StageFilePath(editor, 3)) + std::chrono::seconds(10));
    Restart(std::nullopt);
    EXPECT_TRUE(RecoveryExists());
}

TEST_F(Recovery, AFailedWriteIsReportedOnceAndLeavesTheStageFile) {
    const auto stageBefore = StageBytes(3);
    tovek::test::FailingStep full(tovek::FileStep::Write, std::errc::no_space_on_device, 20);
    editor.fileFaults = &full;
    Autosave(editor);
    EXPECT_EQ(editor.lblStatus.rfind("変更を自動保存できませんでした。(", 0), 0u);
    editor.lblStatus.clear();
    ClickCell(kLeftButton, 3, 4);
    Autosave(editor);
    EXPECT_EQ(editor.lblStatus, "");
    EXPECT_EQ(full.Failures(), 2);
    EXPECT_FALSE(RecoveryExists());
    EXPECT_EQ(StageBytes(3), stageBefore);
}

}  // namespace
}  // namespace quorle::testing
