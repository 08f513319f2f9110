#pragma once

#include <array>
#include <string>

#include "editor/core/editor.h"

namespace quorle {

// frmSize: the map size dialog, "サイズ設定".
class SizeDialog {
  public:
    static constexpr const char* kCaption = "サイズ設定";
    static constexpr std::array<const char*, 2> kButtonCaptions{"OK", "ｷｬﾝｾﾙ"};

    explicit SizeDialog(Editor& editor) : editor_(editor) {}

    // The two boxes: 0 width, 1 height.
    std::array<TextBox, 2> txtSize;
    bool closed = false;

    void Form_Load();
    void txtSize_Change(int index, std::string text);
    // 0 OK: checks and asks as the main window's boxes do, then closes
    // (stays open after a refused number); 1 cancel: closes.
    void cmdSize_Click(int index);
    void Form_Unload() { closed = true; }

  private:
    Editor& editor_;
};

}  // namespace quorle
