#pragma once

namespace tovek {

struct Game;

// Moves lift i one tick; vertical and drop lifts take a standing player along.
void MoveLift(Game& game, int i);

// The player against every lift's top edge: marks the lifts stood on and,
// with carry, puts the player on them and carries it sideways. True when the
// player touches any lift.
bool RidePlatforms(Game& game, bool carry);

}  // namespace tovek
