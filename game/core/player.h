#pragma once

#include <cstdint>
#include <optional>

namespace tovek {

struct Game;

// The vertical move of arc step n: about (2n + 1) times the arc factor,
// doubled after a spring; negative while rising.
int ArcStep(const Game& game, int n, bool spring);

// Starts a jump (or, with jump false, a fall from rest).
void StartJump(Game& game, bool jump);

// One airborne tick; true when the player landed on a tile.
bool UpdatePlayer(Game& game);

// The cells the feet probe looks at: the solid box's columns (one, or two
// when the box spills into the next) in the row under the player.
struct FeetProbe {
    int firstColumn;
    int columnCount;
    int row;
};
FeetProbe FeetProbeOf(const Game& game);

// The column of the first solid cell under the player's feet, if any.
std::optional<int> FootingColumn(const Game& game);

// True when a solid tile lies directly under the player's feet. Standing on
// ground also arms springs and down-ports and moves the restart point here.
bool CheckFooting(Game& game);

}  // namespace tovek
