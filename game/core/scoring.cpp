#include "game/core/scoring.h"

#include <algorithm>
#include <string>

#include "game/core/colours.h"
#include "game/core/frame_renderer.h"
#include "game/core/game.h"
#include "game/core/high_scores.h"
#include "game/core/legacy_math.h"
#include "game/core/presentation.h"

namespace tovek {

int ParSeconds(int mapWidth, int mapHeight) {
    const std::int32_t cells = mapWidth * mapHeight;
    // A map far smaller than the editor makes would round to 0 seconds.
    return std::max(1, RoundHalfEven(cells * 60 / 384.0));
}

int TimeBonus(int elapsedSeconds, int parSeconds) {
    const int bonus = RoundHalfEven(600.0 - elapsedSeconds * 600.0 / parSeconds);
    return std::max(0, bonus);
}

std::string RecordLine(const RecordUpdate& update, std::int32_t gain) {
    if (!update.newRecord) return "";
    // A record announced but lost would be found out only at the next start.
    if (update.saveError) return "ハイスコアを保存できませんでした";
    return "ハイスコアを" + std::to_string(gain) + "点更新!!";
}

void ShowStageClear(Game& game) {
    DrawFrame(game);
    constexpr bool kBold = true;
    PrintCentered(game, "ステージクリア", 36, 64, kBlue, kBold);
    const int bonus = TimeBonus(game.elapsedSeconds, ParSeconds(game.mapWidth, game.mapHeight));
    PrintCentered(game, "元の得点: " + std::to_string(game.score) + "点", 12, 128, kRed, kBold);
    PrintCentered(game, "タイムボーナス: " + std::to_string(bonus) + "点", 12, 152, kBlue, kBold);
    game.score += bonus;
    if (game.misses >= 1) {
        const int penalty = game.misses * 100;
        PrintCentered(
            game,
            "ミス" + std::to_string(game.misses) + "回により" + std::to_string(penalty) + "点減点",
            12, 176, kRed, kBold);
        game.score -= penalty;
    }
    PrintCentered(game, "最終得点: " + std::to_string(game.score) + "点", 12, 200, kBlue, kBold);
    const std::int32_t oldRecord = GetStageHighScore(game, game.stageNumber);
    const RecordUpdate update = UpdateStageHighScore(game, game.stageNumber, game.score);
    const std::string recordLine = RecordLine(update, game.score - oldRecord);
    if (!recordLine.empty()) PrintCentered(game, recordLine, 12, 224, kRed, kBold);
    game.lblMain[0] = "ステージクリア!! スペースキーで次の面へ";
    game.stageCleared = true;
    PresentFrame(game);
}

void ShowGameOver(Game& game) {
    if (game.drawPixels) {
        // The window's surface is cleared to its grey, then ANDed over the frame.
        const Surface window(game.picMain.Width(), game.picMain.Height(), kWindowBackColour);
        BitBlt(game.picMain, 0, 0, game.picMain.Width(), game.picMain.Height(), window, 0, 0,
               RasterOp::SrcAnd);
    }
    PrintCentered(game, "ゲームオーバー", 36, 64, kRed);
    game.lblMain[0] = "ゲームオーバー!! スペースキーでコンティニュー";
    game.gameOver = true;
    PresentFrame(game);
}

}  // namespace tovek
