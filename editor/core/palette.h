#pragma once

#include "common/surface.h"
#include "editor/core/editor.h"

namespace quorle {

// Picks the tile under (x, y) of the palette for a button.
void pctBase_MouseDown(Editor& editor, int button, int x, int y);
// Moves the palette highlight over the tile (or lift half) under the mouse.
void pctBase_MouseMove(Editor& editor, int buttons, int x, int y);

// Every focus of the map view redraws it; the first one also chooses the
// default tools and prepares the palette and the background chooser.
void pctMain_GotFocus(Editor& editor);

void pctBack_MouseDown(Editor& editor, int button, int x, int y);
void pctBack_MouseMove(Editor& editor, int buttons, int x, int y);

void mnuReverse_Click(Editor& editor);
void cheRev_Click(Editor& editor, int value);

// Lays the masked pictures of palette rows 3 and 4 over their masks in rows
// 1 and 2, which then serve as the view's AND masks.
void ComposeMaskedRows(tovek::Surface& palette);

}  // namespace quorle
