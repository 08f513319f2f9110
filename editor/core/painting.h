#pragma once

#include <cstdint>

#include "editor/core/editor.h"

namespace quorle {

// Mouse buttons as the events give them: a press names one button, a move
// the set of buttons held (left + right = 3).
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

// Tool codes with a meaning of their own.
inline constexpr std::uint8_t kEraser = 0;
inline constexpr std::uint8_t kWater = 25;
inline constexpr std::uint8_t kDownPortTool = 28;
inline constexpr std::uint8_t kUpPortTool = 29;

// A press begins an edit that the release commits: a whole drag of
// painting, or a region click, is one undo step.
void pctMain_MouseDown(Editor& editor, int button, int x, int y);
// With a button held in paint mode, a move into a new cell paints every cell
// on the line from the cell reached before, so a quick drag leaves no gaps.
void pctMain_MouseMove(Editor& editor, int buttons, int x, int y);
void pctMain_MouseUp(Editor& editor, int button, int x, int y);

// Writes tile code `tile` into the layer it belongs to; `oldMainTile` is the
// cell's main tile before the click, which the port tools advance. The
// eraser (0) changes nothing here.
void PlaceTile(MapCell& cell, std::uint8_t tile, std::uint8_t fast, std::uint8_t oldMainTile);

// Painting mode's click on map cell (mx, my) with a button's tool.
void PaintCell(Editor& editor, int mx, int my, int button);

void mnuInsert_Click(Editor& editor);
void optIns_Click(Editor& editor, int index);

}  // namespace quorle
