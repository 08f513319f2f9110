#include "editor/core/regions.h"

#include <algorithm>
#include <utility>

#include "editor/core/document.h"
#include "editor/core/geometry.h"
#include "editor/core/map_view.h"
#include "editor/core/number_text.h"
#include "editor/core/painting.h"

namespace quorle {
namespace {

constexpr const char* kNewLine = "\r\n";

// After a size change between the two clicks the start corner can lie
// beyond the map: the operation then covers only the cells inside it.
void LimitRegionToMap(Editor& editor) {
    const auto limit = [](int& value, int size) { value = std::clamp(value, 0, size - 1); };
    limit(editor.regionStartX, editor.mapWidth);
    limit(editor.regionEndX, editor.mapWidth);
    limit(editor.regionStartY, editor.mapHeight);
    limit(editor.regionEndY, editor.mapHeight);
}

void PlaceRegionFrame(Editor& editor, int x, int y, int width, int height) {
    editor.shpRegion.left = (x - editor.hscrMain.value) * kCell;
    editor.shpRegion.top = (y - editor.vscrMain.value) * kCell;
    editor.shpRegion.width = width * kCell;
    editor.shpRegion.height = height * kCell;
}

void StartWaiting(Editor& editor, int mode, std::uint32_t cursorColour) {
    editor.mnuMapEnabled[4] = true;
    editor.shpMain.colour = cursorColour;
    editor.editMode = mode;
}

// Corner clicks 3, 4 and 7 end an operation on the normalised rectangle.
void FinishRectangle(Editor& editor, int mx, int my) {
    editor.regionEndX = mx;
    editor.regionEndY = my;
    NormalizeRegion(editor);
    LimitRegionToMap(editor);
    const int x1 = editor.regionStartX, y1 = editor.regionStartY;
    const int x2 = editor.regionEndX, y2 = editor.regionEndY;
    if (editor.editMode == 7) {
        FillRegion(editor, x1, y1, x2, y2, editor.chosenTile[0]);
    } else {
        CopyRegion(editor, x1, y1, x2, y2, editor.editMode == 3);
    }
}

}  // namespace

void mnuMap_Click(Editor& editor, int index) {
    if (index < 0 || index > 4) return;
    editor.services.Beep();
    switch (index) {
        case 0:
        case 1:
            editor.lblStatus = "始点を設定して下さい。";
            StartWaiting(editor, index + 1, kBlack);
            break;
        case 2:
            if (editor.clipWidth != 0 || editor.clipHeight != 0) {
                editor.lblStatus =
                    JoinText({"現在", DecimalText(editor.clipWidth), "×",
                              DecimalText(editor.clipHeight), "のデータがコピーされています。",
                              kNewLine, "左上端の移動位置を設定して下さい。"});
                StartWaiting(editor, 5, kBlack);
            } else {
                editor.lblStatus = "貼り付けるデータがありません。";
            }
            break;
        case 3:
            editor.lblStatus = "塗りつぶす始点を設定して下さい。";
            if (!editor.insertMode) {
                editor.lblStatus += kNewLine;
                editor.lblStatus +=
                    "現在上書きモードなので、塗りつぶしたところのデータはすべて消えます。";
            }
            StartWaiting(editor, 6, kGrey);
            break;
        case 4:
            editor.lblStatus = "動作は取り消されました。";
            EndOperation(editor);
            break;
    }
}

void RegionClick(Editor& editor, int mx, int my, int cx, int cy) {
    switch (editor.editMode) {
        case 1:
        case 2:
        case 6:
            editor.regionStartX = mx;
            editor.regionStartY = my;
            editor.lblStatus = JoinText({"始点:(", DecimalText(mx), ", ", DecimalText(my), ")",
                                         kNewLine, "終点を指定して下さい。"});
            editor.services.Beep();
            editor.shpRegion = Frame{.left = cx * kCell,
                                     .top = cy * kCell,
                                     .colour = editor.shpRegion.colour,
                                     .visible = true};
            editor.editMode = editor.editMode == 6 ? 7 : editor.editMode + 2;
            break;
        case 3:
        case 4:
        case 7:
            FinishRectangle(editor, mx, my);
            break;
        case 5:
            editor.regionStartX = mx;
            editor.regionStartY = my;
            PasteClip(editor, mx, my);
            break;
        default:
            break;
    }
}

void NormalizeRegion(Editor& editor) {
    if (editor.regionEndX < editor.regionStartX) std::swap(editor.regionStartX, editor.regionEndX);
    if (editor.regionEndY < editor.regionStartY) std::swap(editor.regionStartY, editor.regionEndY);
}

void CopyRegion(Editor& editor, int x1, int y1, int x2, int y2, bool cut) {
    editor.clipWidth = x2 - x1 + 1;
    editor.clipHeight = y2 - y1 + 1;
    editor.clip = CellGrid(editor.clipWidth, editor.clipHeight);
    for (int j = 0; j < editor.clipHeight; ++j) {
        for (int i = 0; i < editor.clipWidth; ++i) {
            if (!IsInMap(editor, x1 + i, y1 + j)) continue;
            MapCell& cell = editor.map.At(x1 + i, y1 + j);
            editor.clip.At(i, j) = cell;
            if (cut) cell = MapCell{};
        }
    }
    DrawMapView(editor);
    PlaceRegionFrame(editor, x1, y1, editor.clipWidth, editor.clipHeight);
    editor.services.Beep();
    if (cut) {
        SetModified(editor, true);
        editor.lblStatus = "切り取りが完了しました。";
    } else {
        editor.lblStatus = "コピーが完了しました。";
    }
    EndOperation(editor);
}

void PasteClip(Editor& editor, int x, int y) {
    for (int i = 0; i < editor.clipHeight; ++i) {
        for (int j = 0; j < editor.clipWidth; ++j) {
            if (IsInMap(editor, x + j, y + i) && editor.clip.Contains(j, i)) {
                editor.map.At(x + j, y + i) = editor.clip.At(j, i);
            }
        }
    }
    DrawMapView(editor);
    PlaceRegionFrame(editor, x, y, editor.clipWidth, editor.clipHeight);
    editor.services.Beep();
    SetModified(editor, true);
    editor.lblStatus = "貼り付けが完了しました。";
    EndOperation(editor);
}

void FillRegion(Editor& editor, int x1, int y1, int x2, int y2, std::uint8_t tile) {
    for (int y = y1; y <= y2; ++y) {
        for (int x = x1; x <= x2; ++x) {
            if (!IsInMap(editor, x, y)) continue;
            MapCell& cell = editor.map.At(x, y);
            const std::uint8_t old = cell.mainTile;
            if (!editor.insertMode) cell = MapCell{};
            PlaceTile(cell, tile, editor.chosenFast[0], old);
        }
    }
    DrawMapView(editor);
    PlaceRegionFrame(editor, x1, y1, x2 - x1 + 1, y2 - y1 + 1);
    editor.services.Beep();
    SetModified(editor, true);
    editor.lblStatus = "塗りつぶしが完了しました。";
    EndOperation(editor);
}

void EndOperation(Editor& editor) {
    editor.editMode = 0;
    editor.mnuMapEnabled[4] = false;
    editor.shpMain.colour = kRed;
}

}  // namespace quorle
