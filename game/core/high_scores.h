#pragma once

#include <cstdint>

namespace tovek {

struct Game;

// Per-stage records in hscore.dat in the stage folder.
void LoadHighScores(Game& game);
void SaveHighScores(Game& game);
std::int32_t GetStageHighScore(const Game& game, int stage);
// Stores score when it beats the stage's record and rewrites the file.
bool UpdateStageHighScore(Game& game, int stage, std::int32_t score);

}  // namespace tovek
