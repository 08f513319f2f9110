#pragma once

namespace tovek {

struct Game;

// One timer tick: the game's state machine. While a stage is played it moves
// lifts, actors and the player in a fixed order, then draws the frame, counts
// the clock, keeps the music looping and rewrites the status lines.
void tmrMain_Timer(Game& game);

// The previous position that swept-box contact tests compare against.
void RememberPlayerPosition(Game& game);

}  // namespace tovek
