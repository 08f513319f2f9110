#pragma once

namespace tovek {

struct Game;
struct Actor;

// Sets a new actor's patrol range (lo, hi in cells) from the map around its
// cell, and turns it round when the stage is mirrored along its axis.
void SetPatrolRange(const Game& game, Actor& actor, int column, int row);

}  // namespace tovek
