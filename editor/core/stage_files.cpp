#include "editor/core/stage_files.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "common/coded_stream.h"
#include "common/file_access.h"
#include "common/stage_limits.h"
#include "editor/core/document.h"
#include "editor/core/geometry.h"
#include "editor/core/map_size.h"
#include "editor/core/map_view.h"
#include "editor/core/number_text.h"
#include "editor/core/recovery_file.h"
#include "editor/core/stage_dialog.h"
#include "editor/core/undo_redo.h"

namespace quorle {
namespace {

constexpr int kFirstStage = 1;
constexpr int kLastStage = tovek::kStageCount;
// Key material, background, width and height.
constexpr std::size_t kStageHeaderBytes = 5;

std::string DataText(int number) {
    return JoinText({"データ", DecimalText(number)});
}

std::string AdjustedSizeText(const tovek::EditorStage& stage, int width, int height) {
    return JoinText({"\r\nマップのサイズ(", DecimalText(stage.width), "×",
                     DecimalText(stage.height), ")を", DecimalText(width), "×", DecimalText(height),
                     "に調整しました。"});
}

// Which cells a short file holds: those before its end, row by row.
std::string ShortFileText(int number, const tovek::EditorStage& stage, std::size_t cellsInFile) {
    std::string text =
        JoinText({DataText(number), "のファイルはマップの途中で終わっています。\r\n"});
    if (cellsInFile == 0) {
        text += "ファイルにはマスのデータがなく、すべてのマスが空で開きます。";
    } else {
        const int last = static_cast<int>(cellsInFile) - 1;
        text += JoinText({"ファイルから読めたのは、", DecimalText(stage.width), "×",
                          DecimalText(stage.height), "マスのうち上の行から順に(",
                          DecimalText(last % stage.width), ", ", DecimalText(last / stage.width),
                          ")までの", DecimalText(static_cast<int>(cellsInFile)),
                          "マスだけです。残りのマスは空で開きます。"});
    }
    return text + "\r\nこのまま保存すると、空のマスもそのまま保存されます。";
}

// Brings a stage number into 1..100, wrapping: below 1 comes 100, above 100 comes 1.
int WrapStage(int number) {
    return (number - kFirstStage + kLastStage * 2) % kLastStage + kFirstStage;
}

}  // namespace

tovek::EditorStage DocumentAsStage(const Editor& editor) {
    return tovek::EditorStage{.background = editor.background,
                              .width = editor.map.Width(),
                              .height = editor.map.Height(),
                              .cells = editor.map.Cells()};
}

tovek::EditorStage WithEditorSize(const tovek::EditorStage& stage) {
    tovek::EditorStage opened;
    opened.background = stage.background;
    opened.width = std::clamp(stage.width, kMinMapWidth, kMaxMapWidth);
    opened.height = std::clamp(stage.height, kMinMapHeight, kMaxMapHeight);
    opened.cells.resize(static_cast<std::size_t>(opened.width) * opened.height);
    for (int y = 0; y < std::min(opened.height, stage.height); ++y) {
        for (int x = 0; x < std::min(opened.width, stage.width); ++x) {
            const std::size_t index = static_cast<std::size_t>(y) * stage.width + x;
            if (index < stage.cells.size()) {
                opened.cells[static_cast<std::size_t>(y) * opened.width + x] = stage.cells[index];
            }
        }
    }
    return opened;
}

void LoadStageFile(Editor& editor) {
    const int number = editor.targetStage;
    const std::filesystem::path path = StageFilePath(editor, number);
    if (!tovek::FileExists(path)) {
        ShowMessage(editor, JoinText({DataText(number), "にはデータがありません。"}),
                    MessageButtons::Ok, MessageIcon::None);
        return;
    }
    const std::optional<std::vector<std::uint8_t>> bytes =
        tovek::ReadFileBytes(path, tovek::kMaxStageFileBytes);
    if (!bytes) {
        ShowMessage(editor,
                    JoinText({"「", path.string(), "」 このファイルを読み込めませんでした。"}),
                    MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    std::size_t cellsInFile = 0;
    const tovek::EditorStage stage = tovek::ReadEditorStage(*bytes, &cellsInFile);
    const tovek::EditorStage opened = WithEditorSize(stage);
    if (cellsInFile < stage.cells.size() || bytes->size() < kStageHeaderBytes) {
        ShowMessage(editor, ShortFileText(number, stage, cellsInFile), MessageButtons::Ok,
                    MessageIcon::Warning);
    }

    editor.lblStatus = JoinText({DataText(number), "から読み込みました。"});
    if (opened.width != stage.width || opened.height != stage.height) {
        editor.lblStatus += AdjustedSizeText(stage, opened.width, opened.height);
    }
    SetStageNumber(editor, number);
    editor.background = opened.background;
    SetMapSize(editor, opened.width, opened.height, true);
    for (int y = 0; y < opened.height; ++y) {
        for (int x = 0; x < opened.width; ++x) {
            editor.map.At(x, y) = opened.cells[static_cast<std::size_t>(y) * opened.width + x];
        }
    }
    DrawMapView(editor);
}

void SaveStageFile(Editor& editor, bool skipQuestion) {
    const int number = editor.targetStage;
    const std::filesystem::path path = StageFilePath(editor, number);
    if (tovek::FileExists(path) && !skipQuestion) {
        const MessageAnswer answer = ShowMessage(
            editor,
            JoinText({DataText(number), "にはすでにデータが保存されています。上書きしますか？"}),
            MessageButtons::YesNo, MessageIcon::Information);
        if (answer != MessageAnswer::Yes) return;
    }
    const tovek::KeyMaterial key = tovek::DrawKeyMaterial(editor.random);
    std::error_code folderError;
    if (!std::filesystem::is_directory(std::filesystem::path(editor.stageFolder), folderError)) {
        ShowMessage(editor, JoinText({"「", editor.stageFolder, "」 このフォルダは存在しません。"}),
                    MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    const std::vector<std::uint8_t> bytes = tovek::WriteEditorStage(DocumentAsStage(editor), key);
    if (const std::error_code error =
            tovek::ReplaceFileAtomically(path, bytes, editor.fileFaults)) {
        ShowMessage(editor,
                    JoinText({"「", path.string(), "」 このファイルに保存できませんでした。\r\n",
                              error.message()}),
                    MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    editor.lblStatus = JoinText({DataText(number), "に保存しました。"});
    SetStageNumber(editor, number);
    // A save in the middle of a drag splits it: what came before is saved.
    if (editor.history.EditOpen()) BeginEdit(editor);
    editor.history.MarkSaved();
    RemoveRecoveryFile(editor);
}

void mnuOpen_Click(Editor& editor) {
    if (editor.modified && AskSaveChanges(editor) == MessageAnswer::Cancel) return;
    editor.dialogSaveMode = false;
    StageDialog dialog(editor);
    dialog.Form_Load();
    editor.services.ShowStageDialog(dialog);
    if (editor.dialogAccepted) LoadStageFile(editor);
    editor.dialogAccepted = false;
}

void mnuSaveAs_Click(Editor& editor) {
    editor.dialogSaveMode = true;
    StageDialog dialog(editor);
    dialog.Form_Load();
    editor.services.ShowStageDialog(dialog);
    if (editor.dialogAccepted) SaveStageFile(editor, false);
    editor.dialogAccepted = false;
}

void mnuSave_Click(Editor& editor) {
    if (editor.currentStage != 0) {
        editor.targetStage = editor.currentStage;
        SaveStageFile(editor, true);
    } else {
        mnuSaveAs_Click(editor);
    }
}

void txtStage_Change(Editor& editor, std::string text) {
    editor.txtStage = TextBox{std::move(text)};
}

void txtStage_LostFocus(Editor& editor) {
    const int number =
        ParseClamped(editor.txtStage.text, kFirstStage, kLastStage, editor.targetStage);
    if (number == editor.currentStage) return;
    if (!tovek::FileExists(StageFilePath(editor, number)) ||
        (editor.modified && AskSaveChanges(editor) == MessageAnswer::Cancel)) {
        editor.txtStage.text = DecimalText(editor.targetStage);
        return;
    }
    editor.txtStage.text = DecimalText(number);
    editor.targetStage = number;
    LoadStageFile(editor);
}

void txtStage_KeyDown(Editor& editor, int keyCode) {
    if (keyCode == kEnterKey) txtStage_LostFocus(editor);
}

void cmdStage_Click(Editor& editor, int index) {
    if (index != 0 && index != 1) return;
    const int step = index == 0 ? -1 : 1;
    const int current = editor.currentStage;
    const int tries = current > 0 ? kLastStage - 1 : kLastStage;
    // With no stage open, "←" starts from 100 and "→" from 1.
    const int start = current > 0 ? current : (index == 0 ? kLastStage + 1 : 0);
    for (int k = 1; k <= tries; ++k) {
        const int number = WrapStage(start + step * k);
        if (tovek::FileExists(StageFilePath(editor, number))) {
            editor.txtStage.text = DecimalText(number);
            txtStage_LostFocus(editor);
            return;
        }
    }
}

}  // namespace quorle
