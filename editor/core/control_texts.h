#pragma once

#include <array>
#include <string_view>

namespace quorle {

// The fixed texts of the main window, for the front-end to build it from.
// Texts that change (lblIns, lblPlace, the insert item's caption, ...) are in
// the Editor state.

struct MenuItemText {
    std::string_view name;  // the item's name; "" for a separator
    std::string_view caption;
    std::string_view shortcut;            // key sequence text, "" for none
    std::string_view otherShortcut = "";  // a second key for the same item
};

struct MenuText {
    std::string_view name;
    std::string_view caption;
    std::array<MenuItemText, 12> items;  // unused entries have an empty caption
    int itemCount;
};

inline constexpr std::array<MenuText, 3> kMainMenus{{
    {"mnuFile",
     "ファイル(&F)",
     {{{"mnuNew", "新規作成(&N)...", "Ctrl+N"},
       {"mnuOpen", "開く(&O)...", "Ctrl+O"},
       {"mnuSave", "上書き保存(&S)", "Ctrl+S"},
       {"mnuSaveAs", "保存(&A)...", "Ctrl+A"},
       {"mnuFileBarA", "-", ""},
       {"mnuExit", "終了(&X)", "Ctrl+Q"}}},
     6},
    {"mnuEdit",
     "編集(&E)",
     {{{"mnuUndo", "元に戻す(&U)", "Ctrl+Z"},
       {"mnuRedo", "やり直し(&Y)", "Ctrl+Y", "Ctrl+Shift+Z"},
       {"mnuEditBarC", "-", ""},
       {"mnuInsert", "挿入モードに切り替え(&I)", "Ctrl+Insert"},
       {"mnuEditBarA", "-", ""},
       {"mnuReverse", "逆方向(&R)", "Ctrl+R"},
       {"mnuEditBarB", "-", ""},
       {"mnuMap(0)", "切り取り(&C)", "Ctrl+X"},
       {"mnuMap(1)", "コピー(&T)", "Ctrl+C"},
       {"mnuMap(2)", "貼り付け(&P)", "Ctrl+V"},
       {"mnuMap(3)", "長方形塗りつぶし(&F)", "Ctrl+F"},
       {"mnuMap(4)", "動作の取り消し(&E)", "Ctrl+E"}}},
     12},
    {"mnuTool",
     "ツール(&T)",
     {{{"mnuSize", "サイズ設定(&S)...", "Ctrl+T"},
       {"mnuPreview", "プレビュー(&P)...", "Ctrl+P"},
       {"mnuToolBarA", "-", ""},
       {"mnuPlay", "テストプレイ(&G)", "F5"},
       {"mnuPlayHere", "カーソル位置からテストプレイ(&H)", "Shift+F5"},
       {"mnuCheck", "ステージの検査(&K)", "F7"}}},
     6},
}};

inline constexpr std::string_view kWindowCaption = "Quorle";
inline constexpr std::array<std::string_view, 2> kChosenLabels{"左クリック", "右クリック"};
inline constexpr std::string_view kSizeLabel = "×";       // lblSize, between the size boxes
inline constexpr std::string_view kStageLabel = "Stage";  // lblStage
inline constexpr std::array<std::string_view, 2> kStageButtons{"←", "→"};
inline constexpr std::array<std::string_view, 2> kInsertOptions{"上書", "挿入"};
inline constexpr std::string_view kReverseCheckBox = "逆方向";

}  // namespace quorle
