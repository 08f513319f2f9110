#include "editor/core/document.h"

#include "common/settings_file.h"
#include "common/stage_naming.h"
#include "editor/core/map_size.h"
#include "editor/core/map_view.h"
#include "editor/core/number_text.h"
#include "editor/core/recovery_file.h"
#include "editor/core/stage_files.h"

namespace quorle {

void Form_Load(Editor& editor, const std::filesystem::path& programFolder) {
    const auto settings = tovek::SettingsFile::LoadFromProgramFolder(programFolder);
    // The folder the game reads, with the case it has on disk (file names are
    // case-sensitive here); an empty setting means "data".
    editor.stageFolder =
        tovek::StageFolderPath(programFolder, settings.ReadSettingString("Folder")).string();
    editor.targetStage = 1;
    SetMapSize(editor, 48, 8, true);
}

void SetModified(Editor& editor, bool flag) {
    editor.modified = flag;
    editor.caption = MakeTitle(editor);
}

std::string MakeTitle(const Editor& editor) {
    std::string title = "Quorle";
    if (editor.currentStage != 0) title += JoinText({"(", DecimalText(editor.currentStage), "面)"});
    if (editor.modified) title += "*";
    return title;
}

std::filesystem::path StageFilePath(const Editor& editor, int number) {
    return tovek::StageFilePath(std::filesystem::path(editor.stageFolder), number);
}

void SetStageNumber(Editor& editor, int number) {
    editor.currentStage = number;
    if (number > 0) editor.txtStage.text = DecimalText(number);
    editor.caption = MakeTitle(editor);
    editor.shpRegion.visible = false;
    SetModified(editor, false);
}

MessageAnswer AskSaveChanges(Editor& editor) {
    const MessageAnswer answer = ShowMessage(editor, "変更されています。保存しますか？",
                                             MessageButtons::YesNoCancel, MessageIcon::Warning);
    if (answer != MessageAnswer::Yes) return answer;
    mnuSave_Click(editor);
    return editor.modified ? MessageAnswer::Cancel : MessageAnswer::Yes;
}

void mnuNew_Click(Editor& editor) {
    if (editor.modified && AskSaveChanges(editor) == MessageAnswer::Cancel) return;
    SetStageNumber(editor, 0);
    SetMapSize(editor, 48, 8, true);
    editor.background = 0;
    DrawMapView(editor);
}

void mnuExit_Click(Editor& editor) {
    if (Form_QueryUnload(editor)) editor.windowClosed = true;
}

bool Form_QueryUnload(Editor& editor) {
    if (editor.modified && AskSaveChanges(editor) == MessageAnswer::Cancel) return false;
    // Saved, or dropped when asked: nothing is left to recover.
    RemoveRecoveryFile(editor);
    return true;
}

}  // namespace quorle
