#pragma once

#include <cstdint>
#include <system_error>

namespace tovek {

struct Game;

// Shown in the first status label at start-up when records exist but cannot
// be read; they then count as 0 and are not written over.
inline constexpr const char* kRecordsUnreadableText = "ハイスコアを読み込めませんでした。";

// What became of a score offered as a stage's record.
struct RecordUpdate {
    bool newRecord = false;
    // Why the new record could not be stored; it is kept in memory all the same.
    std::error_code saveError;
};

// Per-stage records, kept by the game's record store.
void LoadHighScores(Game& game);
// Stores the whole table through the game's record store; the reason on failure.
std::error_code SaveHighScores(Game& game);
std::int32_t GetStageHighScore(const Game& game, int stage);
// Stores score when it beats the stage's record and rewrites the file.
RecordUpdate UpdateStageHighScore(Game& game, int stage, std::int32_t score);

}  // namespace tovek
