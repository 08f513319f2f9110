#pragma once

namespace tovek {

struct Game;

// One horizontal step of actor i (and the pop-up cycle and the spawner).
void MoveActorX(Game& game, int i);

// One vertical step of actor i; knocked-out actors fall out of the map.
void MoveActorY(Game& game, int i);

// True when the box (x, y, w, h) meets the box the player swept since the
// last remembered position.
bool BoxesOverlap(const Game& game, int x, int y, int w, int h);

// Stomps actors the player comes down on; any other contact is a miss.
void TestPlayerActors(Game& game);

}  // namespace tovek
