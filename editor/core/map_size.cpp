#include "editor/core/map_size.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "editor/core/document.h"
#include "editor/core/geometry.h"
#include "editor/core/map_view.h"
#include "editor/core/number_text.h"
#include "editor/core/size_dialog.h"
#include "editor/core/undo_redo.h"

namespace quorle {
namespace {

void SetScrollMax(ScrollBar& bar, int max) {
    bar.max = std::max(max, 0);
    bar.value = std::min(bar.value, bar.max);
}

// Reads one box; on refusal says why and puts the current value back.
std::optional<int> CheckBox(Editor& editor, TextBox& box, int minimum, int maximum, int current) {
    const std::optional<std::int16_t> value = ParseSizeNumber(box.text);
    if (value && *value >= minimum && *value <= maximum) return *value;
    ShowMessage(
        editor,
        JoinText({DecimalText(minimum), "～", DecimalText(maximum), "の数字を入れて下さい。"}),
        MessageButtons::Ok, MessageIcon::Error);
    box.text = DecimalText(current);
    box.wholeTextSelected = true;
    return std::nullopt;
}

}  // namespace

void SetMapSize(Editor& editor, int width, int height, bool fresh) {
    editor.mapWidth = width;
    editor.mapHeight = height;
    if (fresh) {
        editor.map = CellGrid(width, height);
        editor.history.Clear();
        // A route and a check found for the previous document say nothing
        // about this one.
        editor.shownRoute.clear();
        ++editor.openedDocuments;
    } else {
        editor.map = editor.map.Resized(width, height);
        SetModified(editor, true);
    }
    if (fresh) {
        editor.hscrMain.value = 0;
        editor.vscrMain.value = 0;
    }
    FitViewToMapSize(editor);
    DrawMapView(editor);
}

void FitViewToMapSize(Editor& editor) {
    editor.suppressRedraw = true;
    SetScrollMax(editor.hscrMain, editor.mapWidth - kViewColumns);
    SetScrollMax(editor.vscrMain, editor.mapHeight - kViewRows);
    editor.suppressRedraw = false;
    editor.txtSize[0].text = DecimalText(editor.mapWidth);
    editor.txtSize[1].text = DecimalText(editor.mapHeight);
}

SizeCheck CheckNewSize(Editor& editor, std::array<TextBox, 2>& boxes) {
    const std::optional<int> width =
        CheckBox(editor, boxes[0], kMinMapWidth, kMaxMapWidth, editor.mapWidth);
    if (!width) return {SizeOutcome::Refused};
    const std::optional<int> height =
        CheckBox(editor, boxes[1], kMinMapHeight, kMaxMapHeight, editor.mapHeight);
    if (!height) return {SizeOutcome::Refused};
    if (*width == editor.mapWidth && *height == editor.mapHeight) {
        return {SizeOutcome::Unchanged};
    }
    const MessageAnswer answer = ShowMessage(editor, "マップサイズを変更します。",
                                             MessageButtons::OkCancel, MessageIcon::Information);
    if (answer != MessageAnswer::Ok) {
        editor.txtSize[0].text = DecimalText(editor.mapWidth);
        editor.txtSize[1].text = DecimalText(editor.mapHeight);
        return {SizeOutcome::Cancelled};
    }
    return {SizeOutcome::Confirmed, *width, *height};
}

void txtSize_Change(Editor& editor, int index, std::string text) {
    if (index != 0 && index != 1) return;
    editor.txtSize[index] = TextBox{std::move(text)};
}

void txtSize_LostFocus(Editor& editor, int /*index*/) {
    const SizeCheck check = CheckNewSize(editor, editor.txtSize);
    if (check.outcome == SizeOutcome::Confirmed) {
        BeginEdit(editor);
        SetMapSize(editor, check.width, check.height, false);
        CommitEdit(editor);
    }
}

void txtSize_KeyDown(Editor& editor, int index, int keyCode) {
    if (keyCode == kEnterKey) txtSize_LostFocus(editor, index);
}

void mnuSize_Click(Editor& editor) {
    // The dialog sets the new size before the map follows it: the step
    // begins before the dialog opens.
    BeginEdit(editor);
    SizeDialog dialog(editor);
    dialog.Form_Load();
    editor.services.ShowSizeDialog(dialog);
    if (editor.dialogAccepted) SetMapSize(editor, editor.mapWidth, editor.mapHeight, false);
    editor.dialogAccepted = false;
    CommitEdit(editor);
}

}  // namespace quorle
