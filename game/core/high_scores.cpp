#include "game/core/high_scores.h"

#include "common/coded_stream.h"
#include "common/file_access.h"
#include "game/core/game.h"

namespace tovek {

void LoadHighScores(Game& game) {
    game.highScores = {};
    if (const auto bytes = ReadFileBytes(HighScoreFilePath(game.stageFolder))) {
        game.highScores = ReadHighScores(*bytes);
    }
}

void SaveHighScores(Game& game) {
    const KeyMaterial keys = DrawKeyMaterial(game.random);
    // A failed write keeps the old file; the record stays in memory and the
    // next record writes the whole table again.
    ReplaceFileAtomically(HighScoreFilePath(game.stageFolder),
                          WriteHighScores(game.highScores, keys));
}

std::int32_t GetStageHighScore(const Game& game, int stage) {
    if (stage < 1 || stage > 100) return 0;
    return game.highScores[static_cast<std::size_t>(stage - 1)];
}

bool UpdateStageHighScore(Game& game, int stage, std::int32_t score) {
    if (stage < 1 || stage > 100) return false;
    std::int32_t& record = game.highScores[static_cast<std::size_t>(stage - 1)];
    if (record >= score) return false;
    record = score;
    SaveHighScores(game);
    return true;
}

}  // namespace tovek
