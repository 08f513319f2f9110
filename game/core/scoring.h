#pragma once

#include <cstdint>
#include <string>

#include "game/core/high_scores.h"

namespace tovek {

struct Game;

// Par time in seconds of a map: its cell count × 60 / 384, at least one second.
int ParSeconds(int mapWidth, int mapHeight);

// 600 points at 0 seconds, falling linearly to 0 at the par time.
int TimeBonus(int elapsedSeconds, int parSeconds);

// The tally's last line: the gain of a new record, or that it could not be
// stored; empty without a new record.
std::string RecordLine(const RecordUpdate& update, std::int32_t gain);

// The tally over the last frame: bonus, miss penalty, final score and record.
void ShowStageClear(Game& game);

// The dimmed last frame with the game-over banner.
void ShowGameOver(Game& game);

}  // namespace tovek
