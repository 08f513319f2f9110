#include "game/core/status_lines.h"

#include "game/core/game.h"
#include "game/core/high_scores.h"

namespace tovek {

void UpdateStatusLine(Game& game) {
    const std::string stage = "ステージ" + std::to_string(game.stageNumber);
    std::string text;
    switch ((game.elapsedSeconds / 5) % 3) {
        case 0:
            text = stage;
            break;
        case 1:
            text = stage +
                   "のハイスコア: " + std::to_string(GetStageHighScore(game, game.stageNumber));
            break;
        default:
            text = "Escキーでメニューに戻れます。";
            break;
    }
    if (game.chainCount > 1) text = std::to_string(game.chainCount) + "連鎖!!";
    game.lblMain[0] = text;
}

std::string PowerUpLetters(const Game& game) {
    std::string letters;
    if (game.powerUpF) letters += 'F';
    if (game.powerUpH) letters += 'H';
    if (game.powerUpB) letters += 'B';
    if (game.powerUpL) letters += 'L';
    if (game.powerUpK) letters += 'K';
    if (game.powerUpO) letters += 'O';
    return letters;
}

void UpdateStatusLine1(Game& game) {
    game.lblMain[1] = "スコア: " + std::to_string(game.score) +
                      "点 タイム: " + std::to_string(game.elapsedSeconds / 60) + "分" +
                      std::to_string(game.elapsedSeconds % 60) + "秒 ミス" +
                      std::to_string(game.misses) + "回 " + PowerUpLetters(game);
}

}  // namespace tovek
