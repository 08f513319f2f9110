#include "editor/core/painting.h"

#include <cstdlib>
#include <utility>

#include "editor/core/document.h"
#include "editor/core/geometry.h"
#include "editor/core/map_view.h"
#include "editor/core/number_text.h"
#include "editor/core/regions.h"
#include "editor/core/tile_names.h"
#include "editor/core/undo_redo.h"

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

// The painting of one cell without the redraw.
void PaintLayers(Editor& editor, int mx, int my, int button) {
    MapCell& cell = editor.map.At(mx, my);
    const std::uint8_t old = cell.mainTile;
    if (!editor.insertMode) cell = MapCell{};
    const std::uint8_t tile = editor.chosenTile[button - 1];
    if (tile == kEraser) {
        EraseOneLayer(cell);
    } else {
        PlaceTile(cell, tile, editor.chosenFast[button - 1], old);
    }
}

// Paints the cells from `from` (left out, it was painted before) to `to` on
// a straight line of cells, each once.
void PaintLine(Editor& editor, std::pair<int, int> from, std::pair<int, int> to, int button) {
    editor.shpRegion.visible = false;
    editor.lblStatus.clear();
    auto [x, y] = from;
    const int dx = std::abs(to.first - x);
    const int dy = -std::abs(to.second - y);
    const int stepX = x < to.first ? 1 : -1;
    const int stepY = y < to.second ? 1 : -1;
    int error = dx + dy;
    while (x != to.first || y != to.second) {
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
        if (IsInMap(editor, x, y)) PaintLayers(editor, x, y, button);
    }
    SetModified(editor, true);
    DrawMapView(editor);
}

}  // namespace

void pctMain_MouseDown(Editor& editor, int button, int x, int y) {
    BeginEdit(editor);
    editor.freshPress = true;
    pctMain_MouseMove(editor, button, x, y);
}

void pctMain_MouseMove(Editor& editor, int buttons, int x, int y) {
    if (buttons > kRightButton) return;
    if (x < 0 || x >= kViewWidth || y < 0 || y >= kViewHeight) {
        // Back inside, a drag goes on from where it comes in.
        editor.dragCell.reset();
        return;
    }
    const int cx = x / kCell;
    const int cy = y / kCell;
    const bool cellChanged = editor.shpMain.left != cx * kCell || editor.shpMain.top != cy * kCell;
    editor.shpMain.left = cx * kCell;
    editor.shpMain.top = cy * kCell;
    const int mx = editor.hscrMain.value + cx;
    const int my = editor.vscrMain.value + cy;
    if (buttons >= kLeftButton && (editor.freshPress || cellChanged) && IsInMap(editor, mx, my)) {
        const bool freshPress = std::exchange(editor.freshPress, false);
        // A held button paints on after its drag's edit was closed (by the
        // release of the other button, or a dialog's key): a new one begins,
        // which the next release commits.
        if (!editor.history.EditOpen()) BeginEdit(editor);
        if (editor.editMode != 0) {
            editor.dragCell.reset();
            RegionClick(editor, mx, my, cx, cy);
        } else if (!freshPress && editor.dragCell) {
            PaintLine(editor, *editor.dragCell, {mx, my}, buttons);
            editor.dragCell = {mx, my};
        } else {
            PaintCell(editor, mx, my, buttons);
            editor.dragCell = {mx, my};
        }
    }
    editor.lblPlace = JoinText({DecimalText(mx), ", ", DecimalText(my)});
    if (IsInMap(editor, mx, my)) editor.lblInfo = CellContentsText(editor.map.At(mx, my));
}

void pctMain_MouseUp(Editor& editor, int /*button*/, int /*x*/, int /*y*/) {
    editor.dragCell.reset();
    CommitEdit(editor);
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
    PaintLayers(editor, mx, my, button);
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
