#pragma once

#include <utility>
#include <vector>

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

// The mouse wheel: scrolls by whole cells within the scroll ranges, then
// names what lies under the cursor frame.
void pctMain_MouseWheel(Editor& editor, int columns, int rows);

// Scrolls so that map cell (x, y) shows, as near the view's middle as the
// map allows, and puts the cursor frame on it.
void ShowCell(Editor& editor, int x, int y);

// Draws `route` (map pixels of the player's top-left corner) over the view
// from now on and shows its start; an empty route draws none.
void ShowRoute(Editor& editor, std::vector<RoutePoint> route);

// The map cell under the cursor frame.
std::pair<int, int> CursorCell(const Editor& editor);

// Covers `target` with 128 x 128 copies of background pattern `background`,
// the first at (0, 0); black when the pattern lies outside the sheet.
void DrawBackgroundTiles(tovek::Surface& target, int background, const tovek::Surface& backSheet);

// Draws the four layers of one cell at (px, py) from a prepared palette, in
// the order water, main tile, lift, actor. `reverse` tells that the
// palette's actor rows are mirrored; the result does not depend on it.
void DrawMapCell(tovek::Surface& target, int px, int py, const MapCell& cell,
                 const tovek::Surface& palette, bool reverse, tovek::TextPainter* portDigits);

// The whole map as the view draws it, 32 pixels a cell, the background
// tiled over the whole picture.
tovek::Surface RenderWholeMap(const tovek::EditorStage& stage, const tovek::PictureSheets& sheets,
                              tovek::TextPainter* portDigits);

}  // namespace quorle
