#include "editor/core/stage_dialog.h"

#include <utility>

#include "common/file_access.h"
#include "common/stage_limits.h"
#include "editor/core/document.h"
#include "editor/core/map_size.h"
#include "editor/core/number_text.h"

namespace quorle {
namespace {

constexpr int kShowAll = 0;
constexpr int kShowWithData = 1;
constexpr int kShowWithoutData = 2;

}  // namespace

void StageDialog::Form_Load() {
    txtFolder = editor_.stageFolder;
    if (editor_.dialogSaveMode) {
        caption = "ステージを保存する";
        cmbModeIndex = kShowWithoutData;
    } else {
        caption = "ステージを開く";
        cmbModeIndex = kShowWithData;
    }
    cmbStageText = DecimalText(editor_.currentStage);
    RefreshStageList();
}

void StageDialog::RefreshStageList() {
    // Emptying the combo box clears its text too, so every refresh leaves the
    // selection at the open stage (or empty for a new map).
    cmbStageList.clear();
    cmbStageText.clear();
    for (int n = 1; n <= tovek::kStageCount; ++n) {
        bool listed = cmbModeIndex == kShowAll;
        if (!listed) {
            const bool exists = tovek::FileExists(StageFilePath(editor_, n));
            listed = exists == (cmbModeIndex == kShowWithData);
        }
        if (listed) cmbStageList.push_back(DecimalText(n));
    }
    if (editor_.currentStage != 0) cmbStageText = DecimalText(editor_.currentStage);
}

void StageDialog::cmbMode_Click(int index) {
    if (index < kShowAll || index > kShowWithoutData) return;
    cmbModeIndex = index;
    RefreshStageList();
}

void StageDialog::cmbStage_Change(std::string text) {
    cmbStageText = std::move(text);
}

void StageDialog::txtFolder_Change(std::string text) {
    txtFolder = std::move(text);
}

void StageDialog::txtFolder_KeyDown(int keyCode) {
    if (keyCode == kEnterKey) txtFolder_LostFocus();
}

void StageDialog::txtFolder_LostFocus() {
    if (txtFolder == editor_.stageFolder) return;
    editor_.stageFolder = txtFolder;
    RefreshStageList();
}

void StageDialog::cmdStage_Click(int index) {
    if (index == 0) {
        editor_.targetStage =
            ParseClamped(cmbStageText, 1, tovek::kStageCount, editor_.targetStage);
        editor_.dialogAccepted = true;
        closed = true;
    } else if (index == 1) {
        closed = true;
    }
}

}  // namespace quorle
