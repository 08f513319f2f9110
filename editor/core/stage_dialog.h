#pragma once

#include <array>
#include <string>
#include <vector>

#include "editor/core/editor.h"

namespace quorle {

// frmStage: picks the stage number to open or save, optionally in another
// stage folder. It decides nothing about files; the caller acts on
// targetStage and dialogAccepted.
class StageDialog {
  public:
    static constexpr std::array<const char*, 3> kModeItems{"すべて表示", "データがあるものを表示",
                                                           "データがないものを表示"};
    static constexpr std::array<const char*, 3> kLabels{
        "選択ステージ(&S):", "ステージ表示方法(&M):", "ステージ検索フォルダ(&F):"};
    static constexpr std::array<const char*, 2> kButtonCaptions{"OK", "ｷｬﾝｾﾙ"};

    explicit StageDialog(Editor& editor) : editor_(editor) {}

    std::string caption;
    int cmbModeIndex = 0;                   // the filter shown in cmbMode
    std::vector<std::string> cmbStageList;  // the numbers that pass the filter
    std::string cmbStageText;               // cmbStage's edit text
    std::string txtFolder;
    bool closed = false;

    void Form_Load();
    void RefreshStageList();
    void cmbMode_Click(int index);
    // The user typed in, or picked from, the stage combo box.
    void cmbStage_Change(std::string text);
    void txtFolder_Change(std::string text);
    void txtFolder_KeyDown(int keyCode);
    void txtFolder_LostFocus();
    // 0 OK, 1 ｷｬﾝｾﾙ.
    void cmdStage_Click(int index);
    // Closing the window by other means acts as Cancel.
    void Form_Unload() { closed = true; }

  private:
    Editor& editor_;
};

}  // namespace quorle
