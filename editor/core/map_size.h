#pragma once

#include <array>
#include <string>

#include "editor/core/editor.h"

namespace quorle {

inline constexpr int kEnterKey = 13;

// Gives the map the size W x H: a fresh empty map, or the old contents kept
// where old and new overlap (which marks the document modified).
// A fresh map is a new document: the undo history starts empty.
void SetMapSize(Editor& editor, int width, int height, bool fresh);

// The scroll ranges and the size boxes for the map's size (a scroll value
// beyond its new maximum is lowered to it); nothing is redrawn.
void FitViewToMapSize(Editor& editor);

enum class SizeOutcome { Refused, Unchanged, Cancelled, Confirmed };
struct SizeCheck {
    SizeOutcome outcome;
    int width = 0;
    int height = 0;
};

// The checks and the question both size paths share, on the texts of the
// path's own two boxes, which get the current size back when refused.
SizeCheck CheckNewSize(Editor& editor, std::array<TextBox, 2>& boxes);

// The main window's size boxes (0 width, 1 height).
void txtSize_Change(Editor& editor, int index, std::string text);
void txtSize_LostFocus(Editor& editor, int index);
void txtSize_KeyDown(Editor& editor, int index, int keyCode);

// Shows the size dialog and applies the size it accepted.
void mnuSize_Click(Editor& editor);

}  // namespace quorle
