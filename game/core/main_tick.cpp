#include "game/core/main_tick.h"

#include <cstdlib>
#include <string>

#include "game/core/actors.h"
#include "game/core/frame_renderer.h"
#include "game/core/game.h"
#include "game/core/legacy_math.h"
#include "game/core/lifts.h"
#include "game/core/player.h"
#include "game/core/presentation.h"
#include "game/core/scoring.h"
#include "game/core/sound_music.h"
#include "game/core/status_lines.h"
#include "game/core/tiles.h"

namespace tovek {
namespace {

// Running with acceleration, friction, power-ups F and B, walls and the map's
// side edges.
void HorizontalStep(Game& game) {
    RememberPlayerPosition(game);
    const int d = game.heldHorizontal == 1   ? -1
                  : game.heldHorizontal == 2 ? 1
                                             : Sign(game.playerSpeedX);
    if (game.heldHorizontal == 1 || game.heldHorizontal == 2) {
        if (d != Sign(game.playerSpeedX)) {
            if (game.powerUpF) game.playerSpeedX = ToInt16(game.playerSpeedX + 2 * d);
            if (game.powerUpB) game.playerSpeedX = 0;
        }
        game.playerSpeedX = ToInt16(game.playerSpeedX + 2 * d);
        if (std::abs(game.playerSpeedX) > std::abs(game.speedLimit)) {
            game.playerSpeedX = ToInt16(game.speedLimit * d);
        }
        game.playerX = ToInt16(game.playerX + game.playerSpeedX);
        game.playerFacing = static_cast<std::uint8_t>(game.heldHorizontal - 1);
        if (!game.airborne) game.playerStep = static_cast<std::uint8_t>(1 - game.playerStep);
    } else if (game.playerSpeedX != 0) {
        game.playerSpeedX = ToInt16(game.playerSpeedX - 2 * d);
        if (game.powerUpF) game.playerSpeedX = ToInt16(game.playerSpeedX - 2 * d);
        if (game.powerUpB) game.playerSpeedX = 0;
        if (Sign(game.playerSpeedX) != d) game.playerSpeedX = 0;  // friction never reverses
        game.playerX = ToInt16(game.playerX + game.playerSpeedX);
        if (!game.airborne) game.playerStep = static_cast<std::uint8_t>(1 - game.playerStep);
    }

    if (TestPlayerBox(game) && game.playerSpeedX != 0) {
        if (game.playerSpeedX > 0) {
            game.playerX = ToInt16(FloorDiv(game.playerX, kCellSize) * kCellSize + 8);
        } else {
            game.playerX = ToInt16(FloorDiv(game.playerX + kCellSize, kCellSize) * kCellSize - 8);
        }
    }
    const int rightmost = (game.mapWidth - 1) * kCellSize + 8;
    if (game.playerX < -8) game.playerX = -8;
    if (game.playerX >= rightmost) game.playerX = ToInt16(rightmost);

    RidePlatforms(game, true);
    game.jumpStarted = false;
    game.stepShiftY = 0;
    TestPlayerActors(game);
}

void VerticalStep(Game& game) {
    game.stepShiftY = 0;
    TestPlayerActors(game);
    game.stepShiftY = game.playerY;
    bool standing = false;
    if (!game.airborne) {
        const bool onLift = RidePlatforms(game, false);
        const bool onGround = CheckFooting(game);
        standing = onLift || onGround;
    }
    RememberPlayerPosition(game);
    if (game.airborne) {
        UpdatePlayer(game);
    } else if (!standing) {
        StartJump(game, false);
    }
    if (game.heldVertical == 1 && (!game.airborne || (game.inWater && game.playerSpeedY >= 0))) {
        StartJump(game, true);
    }
    game.stepShiftY = ToInt16(game.playerY - game.stepShiftY);
    TestPlayerActors(game);
    TouchCells(game);
}

void DeathFall(Game& game) {
    if (game.deathY - game.playerY < 144 && game.deathY < game.mapHeight * kCellSize) {
        game.deathY = ToInt16(game.deathY + 16);
    } else {
        game.playerY = ToInt16(game.mapHeight * kCellSize);
        ShowGameOver(game);
    }
}

void PortAnimation(Game& game) {
    game.warpTicks = ToInt16(game.warpTicks - Sign(game.warpTicks));
    if (std::abs(game.warpTicks) == 4) WarpToPartner(game, game.warpCellX, game.warpCellY);
}

void WorldStep(Game& game) {
    if (game.graceTicks > 0) game.graceTicks -= 1;
    for (int i = 0, count = game.liftCount(); i < count; ++i) {
        if (game.lifts[i].active) MoveLift(game, i);
    }
    for (int i = 0, count = game.actorCount(); i < count; ++i) {
        if (game.actors[i].active) MoveActorX(game, i);
    }
    if (game.graceTicks > 0) game.dying = false;
    if (game.dying) DeathFall(game);
    if (game.warpTicks != 0) PortAnimation(game);
    if (!game.dying && game.warpTicks == 0) HorizontalStep(game);
    for (int i = 0, count = game.actorCount(); i < count; ++i) {
        if (game.actors[i].active) MoveActorY(game, i);
    }
    if (!game.dying && game.warpTicks == 0) VerticalStep(game);
    if (game.stageCleared) ShowStageClear(game);
    if (game.graceTicks > 0) game.dying = false;
}

// Polls the music every 30 playing ticks; a piece found stopped (with sound
// on) is rewound and restarted soon after.
void MusicCheck(Game& game) {
    if (game.musicPollCounter >= 0) {
        game.musicPollCounter += 1;
        if (game.musicPollCounter == 30) {
            const std::string mode = game.services.music->StatusMode();
            const bool stopped = mode.compare(0, 7, "stopped") == 0;
            game.musicPollCounter = (game.soundOn && stopped) ? -10 : 0;
        }
    }
    if (game.musicPollCounter < 0) {
        game.musicPollCounter += 1;
        if (game.musicPollCounter == 0) {
            MusicCommand(game, "prev");
            MusicCommand(game, "play");
        }
    }
}

}  // namespace

void RememberPlayerPosition(Game& game) {
    game.previousX = game.playerX;
    game.previousY = game.playerY;
}

void tmrMain_Timer(Game& game) {
    if (!game.inPlay) return;
    if (game.gameOver) {
        game.airborne = false;
        game.playerY = ToInt16(game.mapHeight * kCellSize);
    } else if (!game.stageCleared) {
        WorldStep(game);
        if (!game.gameOver && !game.stageCleared) {
            DrawFrame(game);
            game.elapsedSeconds = CountSeconds(game, game.elapsedSeconds);
            MusicCheck(game);
            UpdateStatusLine(game);
        }
    }
    UpdateStatusLine1(game);
    game.soundStartedThisTick = false;
}

}  // namespace tovek
