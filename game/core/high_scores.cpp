#include "game/core/high_scores.h"

#include "common/coded_stream.h"
#include "game/core/game.h"
#include "game/core/record_store.h"

namespace tovek {

void LoadHighScores(Game& game) {
    const StoredRecords stored = game.services.records->Load(game.stageFolder);
    game.highScores = stored.table;
    if (stored.readError) game.lblMain[0] = kRecordsUnreadableText;
}

std::error_code SaveHighScores(Game& game) {
    // Drawn whatever the store does with them, so that every store leaves
    // the random source in the same state.
    const KeyMaterial keys = DrawKeyMaterial(game.random);
    // A failed write keeps the old file; the record stays in memory and the
    // next record writes the whole table again.
    return game.services.records->Save(game.stageFolder, game.highScores, keys);
}

std::int32_t GetStageHighScore(const Game& game, int stage) {
    if (stage < 1 || stage > kStageCount) return 0;
    return game.highScores[static_cast<std::size_t>(stage - 1)];
}

RecordUpdate UpdateStageHighScore(Game& game, int stage, std::int32_t score) {
    if (stage < 1 || stage > kStageCount) return {};
    std::int32_t& record = game.highScores[static_cast<std::size_t>(stage - 1)];
    if (record >= score) return {};
    record = score;
    const std::error_code saveError = SaveHighScores(game);
    // A play-test's tally must not claim a record that no file will keep.
    return {game.services.records->KeepsRecords(), saveError};
}

}  // namespace tovek
