#include "game/core/stage_select.h"

#include <string>

#include "game/core/colours.h"
#include "game/core/game.h"
#include "game/core/high_scores.h"
#include "game/core/presentation.h"

namespace tovek {

void DrawStageSelect(Game& game) {
    if (game.drawPixels) game.picMain.Clear(kPictureBackColour);
    PrintCentered(game, game.gameTitle, 48, 16, kRed);
    PrintCentered(game, "← " + std::to_string(game.stageNumber) + " →", 36, 128, kBlack);
    PrintCentered(game,
                  "このステージのハイスコア: " +
                      std::to_string(GetStageHighScore(game, game.stageNumber)) + "点",
                  12, 192, kRed);
    PresentFrame(game);
}

}  // namespace tovek
