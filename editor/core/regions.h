#pragma once

#include <cstdint>

#include "editor/core/editor.h"

namespace quorle {

// Edit menu items 0..4: cut, copy, paste, rectangle fill, cancel.
void mnuMap_Click(Editor& editor, int index);

// A click on map cell (mx, my), view cell (cx, cy), while a region command
// waits (editMode 1..7).
void RegionClick(Editor& editor, int mx, int my, int cx, int cy);

void NormalizeRegion(Editor& editor);
void CopyRegion(Editor& editor, int x1, int y1, int x2, int y2, bool cut);
void PasteClip(Editor& editor, int x, int y);
void FillRegion(Editor& editor, int x1, int y1, int x2, int y2, std::uint8_t tile);
void EndOperation(Editor& editor);

}  // namespace quorle
