#include "editor/core/painting.h"

#include "editor/core/document.h"
#include "editor/core/geometry.h"
#include "editor/core/map_view.h"
#include "editor/core/number_text.h"
#include "editor/core/regions.h"

namespace quorle {
namespace {

bool IsLift(std::uint8_t tile) {
    return (tile >= 12 && tile <= 15) || tile == 26;
}
bool IsActor(std::uint8_t tile) {
    return tile >= 32 && tile <= 63;
}

// The next port number of a port kind, wrapping from 15 to 0; port 0 on a
// cell that holds no port of that kind.
std::uint8_t NextPort(std::uint8_t oldMainTile, std::uint8_t firstCode) {
    if (oldMainTile < firstCode || oldMainTile > firstCode + 15) return firstCode;
    return static_cast<std::uint8_t>(firstCode + (oldMainTile - firstCode + 1) % 16);
}

// The eraser takes off the first layer that holds something, in this order.
void EraseOneLayer(MapCell& cell) {
    for (std::uint8_t* layer : {&cell.actorCode, &cell.liftCode, &cell.mainTile, &cell.water}) {
        if (*layer != 0) {
            *layer = 0;
            return;
        }
    }
}

}  // namespace

void pctMain_MouseDown(Editor& editor, int button, int x, int y) {
    editor.freshPress = true;
    pctMain_MouseMove(editor, button, x, y);
}

void pctMain_MouseMove(Editor& editor, int buttons, int x, int y) {
    if (buttons > kRightButton) return;
    if (x < 0 || x >= kViewWidth || y < 0 || y >= kViewHeight) return;
    const int cx = x / kCell;
    const int cy = y / kCell;
    const bool cellChanged = editor.shpMain.left != cx * kCell || editor.shpMain.top != cy * kCell;
    editor.shpMain.left = cx * kCell;
    editor.shpMain.top = cy * kCell;
    const int mx = editor.hscrMain.value + cx;
    const int my = editor.vscrMain.value + cy;
    if (buttons >= kLeftButton && (editor.freshPress || cellChanged) && IsInMap(editor, mx, my)) {
        editor.freshPress = false;
        if (editor.editMode == 0) {
            PaintCell(editor, mx, my, buttons);
        } else {
            RegionClick(editor, mx, my, cx, cy);
        }
    }
    editor.lblPlace = JoinText({DecimalText(mx), ", ", DecimalText(my)});
}

void PlaceTile(MapCell& cell, std::uint8_t tile, std::uint8_t fast, std::uint8_t oldMainTile) {
    if (IsLift(tile)) {
        cell.liftCode = static_cast<std::uint8_t>(fast == 1 ? tile + 4 : tile);
    } else if (IsActor(tile)) {
        cell.actorCode = tile;
    } else if (tile == kWater) {
        cell.water = kWater;
    } else if (tile == kDownPortTool) {
        cell.mainTile = NextPort(oldMainTile, 32);
    } else if (tile == kUpPortTool) {
        cell.mainTile = NextPort(oldMainTile, 48);
    } else if (tile != kEraser) {
        cell.mainTile = tile;
    }
}

void PaintCell(Editor& editor, int mx, int my, int button) {
    editor.shpRegion.visible = false;
    editor.lblStatus.clear();
    MapCell& cell = editor.map.At(mx, my);
    const std::uint8_t old = cell.mainTile;
    if (!editor.insertMode) cell = MapCell{};
    const std::uint8_t tile = editor.chosenTile[button - 1];
    if (tile == kEraser) {
        EraseOneLayer(cell);
    } else {
        PlaceTile(cell, tile, editor.chosenFast[button - 1], old);
    }
    SetModified(editor, true);
    DrawMapView(editor);
}

void mnuInsert_Click(Editor& editor) {
    editor.insertMode = !editor.insertMode;
    if (editor.insertMode) {
        editor.lblIns = "挿入";
        editor.optInsSelected = 1;
        editor.mnuInsertCaption = "上書モードに切り替え(&I)";
    } else {
        editor.lblIns = "上書";
        editor.optInsSelected = 0;
        editor.mnuInsertCaption = "挿入モードに切り替え(&I)";
    }
}

void optIns_Click(Editor& editor, int index) {
    if (index != 0 && index != 1) return;
    editor.optInsSelected = index;
    if ((editor.optInsSelected == 0) == editor.insertMode) mnuInsert_Click(editor);
}

}  // namespace quorle
