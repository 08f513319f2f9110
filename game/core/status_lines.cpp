#include "game/core/status_lines.h"

#include <charconv>

#include "game/core/game.h"
#include "game/core/high_scores.h"

namespace tovek {
namespace {

// The labels are rebuilt every tick: they are written into their own
// storage, so that a tick allocates nothing once they have grown.
void AppendNumber(std::string& text, long long value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.append(digits, end);
}

void AppendPowerUpLetters(const Game& game, std::string& text) {
    if (game.powerUpF) text += 'F';
    if (game.powerUpH) text += 'H';
    if (game.powerUpB) text += 'B';
    if (game.powerUpL) text += 'L';
    if (game.powerUpK) text += 'K';
    if (game.powerUpO) text += 'O';
}

}  // namespace

void UpdateStatusLine(Game& game) {
    std::string& text = game.lblMain[0];
    text.clear();
    if (game.chainCount > 1) {
        AppendNumber(text, game.chainCount);
        text += "連鎖!!";
        return;
    }
    switch ((game.elapsedSeconds / 5) % 3) {
        case 0:
            text += "ステージ";
            AppendNumber(text, game.stageNumber);
            break;
        case 1:
            text += "ステージ";
            AppendNumber(text, game.stageNumber);
            text += "のハイスコア: ";
            AppendNumber(text, GetStageHighScore(game, game.stageNumber));
            break;
        default:
            text += "Escキーでメニューに戻れます。";
            break;
    }
}

std::string PowerUpLetters(const Game& game) {
    std::string letters;
    AppendPowerUpLetters(game, letters);
    return letters;
}

void UpdateStatusLine1(Game& game) {
    std::string& text = game.lblMain[1];
    text.clear();
    text += "スコア: ";
    AppendNumber(text, game.score);
    text += "点 タイム: ";
    AppendNumber(text, game.elapsedSeconds / 60);
    text += "分";
    AppendNumber(text, game.elapsedSeconds % 60);
    text += "秒 ミス";
    AppendNumber(text, game.misses);
    text += "回 ";
    AppendPowerUpLetters(game, text);
}

}  // namespace tovek
