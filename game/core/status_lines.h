#pragma once

#include <string>

namespace tovek {

struct Game;

// Label 0 during play: the stage, its record or the Escape hint, changing every
// five seconds; a running stomp chain replaces it.
void UpdateStatusLine(Game& game);

// Label 1 in every play state: score, time, misses and power-up letters.
void UpdateStatusLine1(Game& game);

// The letters of the set power-ups, in the order F H B L K O.
std::string PowerUpLetters(const Game& game);

}  // namespace tovek
