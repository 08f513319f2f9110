#pragma once

namespace tovek {

struct Game;

// Where the 384 × 256 view lies over the map: the map pixel at its top-left
// corner, and the first cell and offset of the cell loop.
struct View {
    int viewX;
    int viewY;
    int tileX;
    int tileY;
    int offX;
    int offY;
};

// Follows the player, stopping at the map's left, right and bottom edges
// (never at the top).
View ComputeView(const Game& game);

// Sets the active flag of every lift and actor whose box lies partly in view.
// This is how lifts start moving, so it runs whether or not pixels are drawn.
void WakeObjectsInView(Game& game, const View& view);

// One frame of the running stage into picMain, then presents it.
void DrawFrame(Game& game);

}  // namespace tovek
