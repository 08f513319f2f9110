#include "game/core/keyboard.h"

#include "game/core/frame_renderer.h"
#include "game/core/game.h"
#include "game/core/sound_music.h"
#include "game/core/stage_loading.h"
#include "game/core/stage_select.h"
#include "game/core/status_lines.h"

namespace tovek {
namespace {

void ChangeStageNumber(Game& game, int delta) {
    int number = game.stageNumber + delta;
    if (number == 0) number = kStageCount;
    if (number == kStageCount + 1) number = 1;
    game.stageNumber = static_cast<std::int16_t>(number);
    DrawStageSelect(game);
}

// Space on the game-over screen: back to the last restart point.
void ContinueStage(Game& game) {
    game.gameOver = false;
    game.actors = game.actorsAtStart;
    game.lifts = game.liftsAtStart;
    game.misses += 1;
    game.playerX = game.startX;
    game.playerY = game.startY;
    game.playerSpeedX = 0;
    game.dying = false;
    game.graceTicks = 8;
    game.airborne = false;
    game.chainCount = 0;
    game.score = 0;
    UpdateStatusLine(game);
    DrawFrame(game);
}

void NextStage(Game& game) {
    ResetPlayState(game);
    if (game.stageNumber == kStageCount) {
        game.stageNumber = 1;
        game.lblMain[0] = "ステージが最後まで終わりました。";
        DrawStageSelect(game);
    } else {
        game.stageNumber += 1;
        LoadStage(game, game.stageNumber);
    }
}

void LeaveStage(Game& game) {
    ResetPlayState(game);
    game.lblMain = {"", ""};
    DrawStageSelect(game);
    if (game.soundOn) {
        MusicCommand(game, "stop");
        MusicCommand(game, "prev");
    }
}

void KeyDownOnStageSelect(Game& game, int keyCode) {
    switch (keyCode) {
        case kKeyLeft:
            ChangeStageNumber(game, -1);
            break;
        case kKeyRight:
            ChangeStageNumber(game, +1);
            break;
        case kKeySpace:
            LoadStage(game, game.stageNumber);
            break;
        case kKeyS:
            ToggleSound(game);
            break;
        default:
            break;
    }
}

void KeyDownInPlay(Game& game, int keyCode) {
    if (keyCode == kKeySpace && game.gameOver && game.noContinue) keyCode = kKeyEscape;
    switch (keyCode) {
        case kKeyLeft:
            game.heldHorizontal = 1;
            break;
        case kKeyRight:
            game.heldHorizontal = 2;
            break;
        case kKeyUp:
            game.heldVertical = 1;
            break;
        case kKeyDown:
            game.heldVertical = 2;
            break;
        case kKeySpace:
            if (game.gameOver) ContinueStage(game);
            if (game.stageCleared) NextStage(game);
            break;
        case kKeyEscape:
            LeaveStage(game);
            break;
        case kKeyS:
            ToggleSound(game);
            break;
        default:
            break;
    }
}

}  // namespace

void Form_KeyDown(Game& game, int keyCode) {
    if (game.inPlay) {
        KeyDownInPlay(game, keyCode);
    } else {
        KeyDownOnStageSelect(game, keyCode);
    }
}

void Form_KeyUp(Game& game, int keyCode) {
    if (!game.inPlay) return;
    if (keyCode == kKeyLeft && game.heldHorizontal == 1) game.heldHorizontal = 0;
    if (keyCode == kKeyRight && game.heldHorizontal == 2) game.heldHorizontal = 0;
    if (keyCode == kKeyUp && game.heldVertical == 1) game.heldVertical = 0;
    if (keyCode == kKeyDown && game.heldVertical == 2) game.heldVertical = 0;
}

void ToggleSound(Game& game) {
    game.soundOn = !game.soundOn;
    if (!game.inPlay) {
        game.lblMain[1] =
            game.soundOn ? "サウンド: オン(Sキーで切り替え)" : "サウンド: オフ(Sキーで切り替え)";
    }
    if (game.inPlay && !game.stageCleared) {
        if (game.soundOn) {
            MusicCommand(game, "play");
        } else {
            MusicCommand(game, "stop");
            MusicCommand(game, "prev");
        }
    }
    game.caption = game.soundOn ? game.gameTitle : game.gameTitle + "(サウンドオフ)";
}

void ResetPlayState(Game& game) {
    static_cast<PlayState&>(game) = PlayState{};
}

}  // namespace tovek
