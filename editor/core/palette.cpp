#include "editor/core/palette.h"

#include "editor/core/document.h"
#include "editor/core/geometry.h"
#include "editor/core/map_view.h"
#include "editor/core/painting.h"
#include "editor/core/tile_names.h"
#include "editor/core/undo_redo.h"

namespace quorle {
namespace {

using tovek::RasterOp;

bool IsLiftTile(int code) {
    return code >= 12 && code <= 15;
}

bool InPalette(int x, int y) {
    return x >= 0 && y >= 0 && x < kPaletteWidth && y < kPaletteHeight;
}

bool InChooser(int x, int y) {
    return x >= 0 && y >= 0 && x < kChooserSize && y < kChooserSize;
}

// Mirrors every cell of one palette row left to right, in place.
void MirrorRow(tovek::Surface& palette, int rowTop) {
    for (int c = 0; c < 16; ++c) {
        tovek::StretchBlt(palette, c * kCell, rowTop, kCell, kCell, palette, c * kCell + kCell - 1,
                          rowTop, -kCell, kCell, RasterOp::SrcCopy);
    }
}

}  // namespace

void pctBase_MouseDown(Editor& editor, int button, int x, int y) {
    if (button != kLeftButton && button != kRightButton) return;
    if (!InPalette(x, y)) return;
    const int i = button - 1;
    const int left = (x / kCell) * kCell;
    const int top = (y / kCell) * kCell;
    const int code = (y / kCell) * 16 + x / kCell;
    editor.chosenTile[i] = static_cast<std::uint8_t>(code);
    if (editor.reverse && code >= 32 && code <= 47) {
        editor.chosenTile[i] = static_cast<std::uint8_t>(code + 16);
    }
    editor.chosenFast[i] = 0;
    PictureBox& chosen = editor.pctChosen[i];
    if (!IsLiftTile(code)) {
        tovek::BitBlt(chosen.image, 0, 0, kCell, kCell, editor.pctBase.image, left, top,
                      RasterOp::SrcCopy);
    } else {
        chosen.image.Clear(kPictureBackColour);
        const int half = (y / 16) % 2;
        tovek::BitBlt(chosen.image, 0, 0, kCell, kCell / 2, editor.pctBase.image, left,
                      top + half * 16, RasterOp::SrcCopy);
        if (half == 1) editor.chosenFast[i] = 1;
    }
    chosen.Refresh();
}

void pctBase_MouseMove(Editor& editor, int /*buttons*/, int x, int y) {
    if (!InPalette(x, y)) return;
    Frame& frame = editor.shpBase;
    frame.left = (x / kCell) * kCell;
    frame.top = (y / kCell) * kCell;
    frame.width = kCell;
    frame.height = kCell;
    if (IsLiftTile((y / kCell) * 16 + x / kCell)) {
        frame.top += ((y / 16) % 2) * 16;
        frame.height = kCell / 2;
    }
    editor.lblInfo = PaletteTextAt(editor, x, y);
}

std::string PaletteTextAt(const Editor& editor, int x, int y) {
    if (!InPalette(x, y)) return "";
    const int code = (y / kCell) * 16 + x / kCell;
    return PaletteTileName(code, (y / 16) % 2 == 1, editor.reverse).Text();
}

void pctMain_GotFocus(Editor& editor) {
    if (!editor.paletteReady) {
        pctBase_MouseDown(editor, kLeftButton, 32, 0);
        pctBase_MouseDown(editor, kRightButton, 0, 0);
        ComposeMaskedRows(editor.pctBase.image);
        editor.pctBase.Refresh();
        tovek::StretchBlt(editor.pctBack.image, 0, 0, 4 * editor.shpBack.width,
                          4 * editor.shpBack.height, editor.pctBackBase, 0, 0, 256, 256,
                          RasterOp::SrcCopy);
        editor.pctBack.Refresh();
        editor.paletteReady = true;
    }
    DrawMapView(editor);
}

void ComposeMaskedRows(tovek::Surface& palette) {
    for (int r = 1; r <= 2; ++r) {
        for (int c = 0; c < 16; ++c) {
            tovek::BitBlt(palette, c * kCell, r * kCell, kCell, kCell, palette, c * kCell,
                          (r + 2) * kCell, RasterOp::SrcPaint);
        }
    }
}

void pctBack_MouseDown(Editor& editor, int /*button*/, int x, int y) {
    if (!InChooser(x, y)) return;
    BeginEdit(editor);
    editor.background = (y / editor.shpBack.height) * 4 + x / editor.shpBack.width;
    CommitEdit(editor);
    SetModified(editor, true);
    DrawMapView(editor);
}

void pctBack_MouseMove(Editor& editor, int /*buttons*/, int x, int y) {
    if (!InChooser(x, y)) return;
    const int w = editor.shpBack.width;
    const int h = editor.shpBack.height;
    editor.shpBack.left = (x / w) * w;
    editor.shpBack.top = (y / h) * h;
    editor.lblInfo = BackgroundTextAt(editor, x, y);
}

std::string BackgroundTextAt(const Editor& editor, int x, int y) {
    if (!InChooser(x, y)) return "";
    return BackgroundName((y / editor.shpBack.height) * 4 + x / editor.shpBack.width);
}

void Picture_MouseLeave(Editor& editor) {
    editor.lblInfo.clear();
}

void mnuReverse_Click(Editor& editor) {
    editor.reverse = !editor.reverse;
    editor.cheRev = editor.reverse ? 1 : 0;
    MirrorRow(editor.pctBase.image, 2 * kCell);
    MirrorRow(editor.pctBase.image, 4 * kCell);
    editor.pctBase.Refresh();
}

void cheRev_Click(Editor& editor, int value) {
    editor.cheRev = value;
    if ((value == 1) != editor.reverse) mnuReverse_Click(editor);
}

}  // namespace quorle
