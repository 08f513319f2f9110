#pragma once

#include "common/sheets.h"
#include "common/stage_file.h"
#include "common/surface.h"
#include "common/text.h"
#include "editor/core/editor.h"

namespace quorle {

// Redraws the 12 x 8 cells of the map view pctMain from the scroll position.
void DrawMapView(Editor& editor);

void hscrMain_Change(Editor& editor, int value);
void vscrMain_Change(Editor& editor, int value);

// Covers `target` with 128 x 128 copies of background pattern `background`,
// the first at (0, 0); black when the pattern lies outside the sheet.
void DrawBackgroundTiles(tovek::Surface& target, int background, const tovek::Surface& backSheet);

// What a cell is drawn from: the prepared palette, and the same with every
// cell mirrored left to right, so that a mirrored actor is a plain block copy.
// `reverse` tells that the palette's actor rows are themselves mirrored; the
// result does not depend on it. Without `portDigits` ports show no number.
struct CellPictures {
    const tovek::Surface& palette;
    const tovek::Surface& mirroredCells;
    bool reverse;
    tovek::TextPainter* portDigits;
};

tovek::Surface MirrorEachCell(const tovek::Surface& palette);

// Draws the four layers of one cell at (px, py), in the order water, main
// tile, lift, actor.
void DrawMapCell(tovek::Surface& target, int px, int py, const MapCell& cell,
                 const CellPictures& pictures);

// The whole map as the view draws it, 32 pixels a cell, the background
// tiled over the whole picture.
tovek::Surface RenderWholeMap(const tovek::EditorStage& stage, const tovek::PictureSheets& sheets,
                              tovek::TextPainter* portDigits);

}  // namespace quorle
