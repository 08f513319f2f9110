#include "editor/core/map_view.h"

#include <algorithm>
#include <string>
#include <utility>

#include "editor/core/geometry.h"
#include "editor/core/number_text.h"
#include "editor/core/palette.h"
#include "editor/core/route_overlay.h"
#include "editor/core/tile_names.h"

namespace quorle {
namespace {

using tovek::RasterOp;

constexpr int kBackgroundPattern = 64;
constexpr int kBackgroundCopy = 128;
constexpr int kLiftStripHeight = 12;
constexpr int kDownPortTile = 28;
constexpr int kUpPortTile = 29;

int CellLeft(int code) {
    return (code % 16) * kCell;
}
int CellTop(int code) {
    return (code / 16) * kCell;
}

void CopyCell(tovek::Surface& target, int px, int py, const tovek::Surface& palette, int code) {
    tovek::BitBlt(target, px, py, kCell, kCell, palette, CellLeft(code), CellTop(code),
                  RasterOp::SrcCopy);
}

// The mask cell with AND, then the picture two rows lower with OR. Mirrored,
// each is read from the cell's last column leftwards.
void DrawMasked(tovek::Surface& target, int px, int py, const tovek::Surface& palette, int code,
                bool mirrored) {
    const int maskTop = CellTop(code);
    const int pictureTop = maskTop + 2 * kCell;
    if (mirrored) {
        const int lastColumn = CellLeft(code) + kCell - 1;
        tovek::StretchBlt(target, px, py, kCell, kCell, palette, lastColumn, maskTop, -kCell, kCell,
                          RasterOp::SrcAnd);
        tovek::StretchBlt(target, px, py, kCell, kCell, palette, lastColumn, pictureTop, -kCell,
                          kCell, RasterOp::SrcPaint);
    } else {
        const int sx = CellLeft(code);
        tovek::BitBlt(target, px, py, kCell, kCell, palette, sx, maskTop, RasterOp::SrcAnd);
        tovek::BitBlt(target, px, py, kCell, kCell, palette, sx, pictureTop, RasterOp::SrcPaint);
    }
}

void PrintPortNumber(tovek::Surface& target, int px, int py, int number,
                     tovek::TextPainter* portDigits) {
    if (portDigits == nullptr) return;
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    const tovek::TextStyle style{.points = 12, .bold = false, .colour = 0};
    portDigits->Print(target, px, py, std::string(1, kHexDigits[number]), style);
}

void DrawMainTile(tovek::Surface& target, int px, int py, int tile, const tovek::Surface& palette,
                  tovek::TextPainter* portDigits) {
    if ((tile >= 1 && tile <= 11) || tile == 27) {
        CopyCell(target, px, py, palette, tile);
    } else if ((tile >= 16 && tile <= 24) || (tile >= 29 && tile <= 31)) {
        DrawMasked(target, px, py, palette, tile, false);
    } else if (tile >= 32 && tile <= 47) {
        CopyCell(target, px, py, palette, kDownPortTile);
        PrintPortNumber(target, px + 12, py + 17, tile - 32, portDigits);
    } else if (tile >= 48 && tile <= 63) {
        CopyCell(target, px, py, palette, kUpPortTile);
        PrintPortNumber(target, px + 12, py + 9, tile - 48, portDigits);
    }
}

void DrawLift(tovek::Surface& target, int px, int py, int lift, const tovek::Surface& palette) {
    const bool fast = lift >= 16 && lift <= 19;
    const int code = fast ? lift - 4 : lift;
    tovek::BitBlt(target, px, py, kCell, kLiftStripHeight, palette, CellLeft(code),
                  CellTop(code) + (fast ? kCell / 2 : 0), RasterOp::SrcCopy);
}

}  // namespace

void DrawBackgroundTiles(tovek::Surface& target, int background, const tovek::Surface& backSheet) {
    const int sx = (background % 4) * kBackgroundPattern;
    const int sy = (background / 4) * kBackgroundPattern;
    if (background < 0 || sx + kBackgroundPattern > backSheet.Width() ||
        sy + kBackgroundPattern > backSheet.Height()) {
        // A damaged file's pattern number: show black, as the game does,
        // rather than what the view showed before.
        target.Clear(0);
        return;
    }
    for (int top = 0; top < target.Height(); top += kBackgroundCopy) {
        for (int left = 0; left < target.Width(); left += kBackgroundCopy) {
            tovek::StretchBlt(target, left, top, kBackgroundCopy, kBackgroundCopy, backSheet, sx,
                              sy, kBackgroundPattern, kBackgroundPattern, RasterOp::SrcCopy);
        }
    }
}

void DrawMapCell(tovek::Surface& target, int px, int py, const MapCell& cell,
                 const tovek::Surface& palette, bool reverse, tovek::TextPainter* portDigits) {
    if (cell.water != 0) CopyCell(target, px, py, palette, cell.water);
    DrawMainTile(target, px, py, cell.mainTile, palette, portDigits);
    if (cell.liftCode != 0) DrawLift(target, px, py, cell.liftCode, palette);
    if (cell.actorCode != 0) {
        const int actor = cell.actorCode;
        const bool otherFacing = actor >= 48;
        DrawMasked(target, px, py, palette, otherFacing ? actor - 16 : actor,
                   reverse != otherFacing);
    }
}

void DrawMapView(Editor& editor) {
    tovek::Surface& view = editor.pctMain.image;
    DrawBackgroundTiles(view, editor.background, editor.pctBackBase);
    const int hs = editor.hscrMain.value;
    const int vs = editor.vscrMain.value;
    for (int y = 0; y < kViewRows; ++y) {
        for (int x = 0; x < kViewColumns; ++x) {
            if (!editor.map.Contains(hs + x, vs + y)) continue;
            DrawMapCell(view, x * kCell, y * kCell, editor.map.At(hs + x, vs + y),
                        editor.pctBase.image, editor.reverse, editor.portDigits.get());
        }
    }
    if (!editor.shownRoute.empty()) {
        DrawRoute(view, editor.shownRoute, hs * kCell, vs * kCell);
    }
    if (editor.shpRegion.visible) {
        editor.shpRegion.left = (editor.regionStartX - hs) * kCell;
        editor.shpRegion.top = (editor.regionStartY - vs) * kCell;
    }
    editor.pctMain.Refresh();
}

void hscrMain_Change(Editor& editor, int value) {
    editor.hscrMain.value = std::clamp(value, 0, editor.hscrMain.max);
    if (!editor.suppressRedraw) DrawMapView(editor);
}

void vscrMain_Change(Editor& editor, int value) {
    editor.vscrMain.value = std::clamp(value, 0, editor.vscrMain.max);
    if (!editor.suppressRedraw) DrawMapView(editor);
}

namespace {

void NameCursorCell(Editor& editor) {
    const auto [mx, my] = CursorCell(editor);
    editor.lblPlace = JoinText({DecimalText(mx), ", ", DecimalText(my)});
    if (IsInMap(editor, mx, my)) editor.lblInfo = CellContentsText(editor.map.At(mx, my));
}

void ScrollTo(Editor& editor, int column, int row) {
    editor.hscrMain.value = std::clamp(column, 0, editor.hscrMain.max);
    editor.vscrMain.value = std::clamp(row, 0, editor.vscrMain.max);
    DrawMapView(editor);
}

}  // namespace

void pctMain_MouseWheel(Editor& editor, int columns, int rows) {
    if (columns == 0 && rows == 0) return;
    ScrollTo(editor, editor.hscrMain.value + columns, editor.vscrMain.value + rows);
    NameCursorCell(editor);
}

void ShowCell(Editor& editor, int x, int y) {
    ScrollTo(editor, x - kViewColumns / 2, y - kViewRows / 2);
    editor.shpMain.left = (x - editor.hscrMain.value) * kCell;
    editor.shpMain.top = (y - editor.vscrMain.value) * kCell;
    NameCursorCell(editor);
}

void ShowRoute(Editor& editor, std::vector<RoutePoint> route) {
    editor.shownRoute = std::move(route);
    if (editor.shownRoute.empty()) {
        DrawMapView(editor);
    } else {
        ShowCell(editor, editor.shownRoute.front().x / kCell, editor.shownRoute.front().y / kCell);
    }
}

std::pair<int, int> CursorCell(const Editor& editor) {
    return {editor.hscrMain.value + editor.shpMain.left / kCell,
            editor.vscrMain.value + editor.shpMain.top / kCell};
}

tovek::Surface RenderWholeMap(const tovek::EditorStage& stage, const tovek::PictureSheets& sheets,
                              tovek::TextPainter* portDigits) {
    tovek::Surface palette = sheets.picMap;
    ComposeMaskedRows(palette);
    tovek::Surface picture(stage.width * kCell, stage.height * kCell);
    DrawBackgroundTiles(picture, stage.background, sheets.picBackBase);
    for (int y = 0; y < stage.height; ++y) {
        for (int x = 0; x < stage.width; ++x) {
            const std::size_t index = static_cast<std::size_t>(y) * stage.width + x;
            if (index >= stage.cells.size()) continue;
            DrawMapCell(picture, x * kCell, y * kCell, stage.cells[index], palette, false,
                        portDigits);
        }
    }
    return picture;
}

}  // namespace quorle
