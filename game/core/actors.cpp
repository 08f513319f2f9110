#include "game/core/actors.h"

#include <algorithm>
#include <cmath>

#include "game/core/game.h"
#include "game/core/legacy_math.h"
#include "game/core/sound_music.h"
#include "game/core/stage_loading.h"
#include "game/core/tile_codes.h"
#include "game/core/tiles.h"

namespace tovek {
namespace {

constexpr int kHiddenKind = 14;

int HorizontalStep(int kind) {
    switch (kind) {
        case 1:
        case 2:
        case 6:
            return 4;
        case 0:
        case 3:
        case 5:
        case 7:
        case 8:
        case 15:
            return 2;
        default:
            return 0;
    }
}

// A hidden actor moves as its real kind and shows as kind 14 between steps.
bool Reveal(Actor& actor) {
    if (actor.kind != kHiddenKind) return false;
    actor.kind = static_cast<std::uint8_t>(actor.extra);
    actor.extra = -1;
    return true;
}

void Hide(Actor& actor) {
    actor.extra = actor.kind;
    actor.kind = kHiddenKind;
}

void StepPopUpCycle(Actor& actor) {
    switch (actor.lo) {
        case 0:
            actor.x = -64;
            actor.vy = 1;
            break;
        case 10:
            actor.x = -64;
            actor.vy = 0;
            break;
        case 20:
            actor.vy = 1;
            break;
        case 30:
            actor.x = actor.home;
            actor.vy = 0;
            break;
        default:
            break;
    }
    actor.lo += 1;
    if (actor.lo == 40) actor.lo = 0;
}

// A spawner drops a new, already active actor at whole cells while it has
// spawns left.
void Spawn(Game& game, int i) {
    const Actor& spawner = game.actors[i];
    if (FloorMod(spawner.x, kCellSize) != 0) return;
    if (game.random.Below(2) != 0) return;
    if (spawner.extra <= 0) return;
    const int code = (spawner.dir == 0 ? kActorCodeRight : kActorCodeLeft) + game.random.Below(10);
    AddActor(game, FloorDiv(spawner.x, kCellSize), FloorDiv(spawner.y, kCellSize), code);
    game.actors.back().active = true;
    game.actors[i].extra -= 1;
}

}  // namespace

void MoveActorX(Game& game, int i) {
    const bool hidden = Reveal(game.actors[i]);
    Actor& actor = game.actors[i];
    if (actor.state != 0) return;
    actor.mark = 0;
    const int step = HorizontalStep(actor.kind);
    actor.x = ToInt16(actor.x + (actor.dir == 1 ? step : -step));
    if (actor.kind == 2 || actor.kind == 7) {
        if (actor.x < game.playerX) actor.dir = 1;
        if (actor.x > game.playerX) actor.dir = 0;
    }
    if (actor.kind != 4 && actor.kind != 9) {
        if (actor.dir == 1 && actor.x >= kCellSize * actor.hi) {
            actor.dir = 0;
        } else if (actor.dir == 0 && actor.x <= kCellSize * actor.lo) {
            actor.dir = 1;
        }
    }
    if (actor.kind == 9) StepPopUpCycle(actor);
    if (actor.kind == 15) Spawn(game, i);  // may grow the table: no references after this
    if (hidden) Hide(game.actors[i]);
}

void MoveActorY(Game& game, int i) {
    Actor& actor = game.actors[i];
    const bool hidden = Reveal(actor);
    if (actor.state != 0) {
        if (actor.y < game.mapHeight * kCellSize) actor.y = ToInt16(actor.y + 16);
        return;
    }
    const int y0 = actor.y;
    switch (actor.kind) {
        case 4:
            actor.y = ToInt16(actor.y + (actor.dir == 1 ? 4 : -4));
            if (actor.dir == 1 && actor.y >= kCellSize * actor.hi) {
                actor.dir = 0;
            } else if (actor.dir == 0 && actor.y <= kCellSize * actor.lo) {
                actor.dir = 1;
            }
            break;
        case 5:
        case 6:
        case 7:
            actor.vy += 1;
            actor.y = ToInt16(actor.vy * actor.vy + actor.home);
            if (actor.vy >= 8) actor.vy = -8;
            break;
        case 8:
            actor.vy += 15;
            if (actor.vy >= 360) actor.vy -= 360;
            actor.y = ToInt16(RoundHalfEven(actor.home - std::sin(actor.vy * 3.14159 / 180) * 48));
            break;
        default:
            break;
    }
    actor.mark = ToInt16(actor.y - y0);
    if (hidden) Hide(actor);
}

bool BoxesOverlap(const Game& game, int x, int y, int w, int h) {
    const int left = std::min(game.previousX, game.playerX);
    const int right = std::max(game.previousX, game.playerX);
    const int top = std::min(game.previousY, game.playerY);
    const int bottom = std::max(game.previousY, game.playerY);
    return !(left + 8 - w >= x || x >= right + 24 || y < top - h || y > bottom + 32);
}

void TestPlayerActors(Game& game) {
    if (game.graceTicks > 0) return;
    const int count = game.actorCount();
    for (int i = 0; i < count && !game.dying; ++i) {
        Actor& actor = game.actors[i];
        if (actor.state != 0) continue;
        if (!BoxesOverlap(game, actor.x + 4, actor.y + 4, 24, 24)) continue;
        game.hoverTicks = 0;
        if (game.stepShiftY > actor.mark) {
            actor.state = -1;
            game.playerSpeedY =
                game.powerUpH ? game.constants.stompReboundPowerUpH : game.constants.stompRebound;
            game.playerY = ToInt16(actor.y - kCellSize);
            game.airborne = true;
            game.springJump = false;
            game.chainCount += 1;
            game.score += 30 * game.chainCount;
            PlaySoundEffect(game, kSoundStomp);
        } else if (game.graceTicks == 0) {
            BeginDeathFall(game);
        }
    }
}

}  // namespace tovek
