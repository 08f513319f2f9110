#pragma once

#include <string>

#include "common/surface.h"
#include "editor/core/editor.h"

namespace quorle {

// Picks the tile under (x, y) of the palette for a button.
void pctBase_MouseDown(Editor& editor, int button, int x, int y);
// Moves the palette highlight over the tile (or lift half) under the mouse
// and names it in lblInfo.
void pctBase_MouseMove(Editor& editor, int buttons, int x, int y);
// The name of the palette cell (or lift half) at (x, y); "" outside.
std::string PaletteTextAt(const Editor& editor, int x, int y);

// Every focus of the map view redraws it; the first one also chooses the
// default tools and prepares the palette and the background chooser.
void pctMain_GotFocus(Editor& editor);

// A background choice is one undo step.
void pctBack_MouseDown(Editor& editor, int button, int x, int y);
// Moves the chooser's highlight and names the background in lblInfo.
void pctBack_MouseMove(Editor& editor, int buttons, int x, int y);
// The name of the background at (x, y) of the chooser; "" outside.
std::string BackgroundTextAt(const Editor& editor, int x, int y);

// The mouse has left a picture: lblInfo names nothing.
void Picture_MouseLeave(Editor& editor);

void mnuReverse_Click(Editor& editor);
void cheRev_Click(Editor& editor, int value);

// Lays the masked pictures of palette rows 3 and 4 over their masks in rows
// 1 and 2, which then serve as the view's AND masks.
void ComposeMaskedRows(tovek::Surface& palette);

}  // namespace quorle
