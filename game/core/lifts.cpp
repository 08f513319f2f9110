#include "game/core/lifts.h"

#include "game/core/actors.h"
#include "game/core/frame_renderer.h"
#include "game/core/game.h"
#include "game/core/legacy_math.h"
#include "game/core/map_geometry.h"
#include "game/core/scoring.h"
#include "game/core/tiles.h"

namespace tovek {
namespace {

int LiftStep(const Lift& lift) {
    return lift.param == 1 ? 4 : 2;
}

bool BlocksLift(const Game& game, int x, int y) {
    const int column = FloorDiv(x, kCellSize);
    const int row = FloorDiv(y, kCellSize);
    return !IsInMap(game, column, row) ||
           !IsPassable(game, game.tileMap[column + row * game.mapWidth]);
}

void MoveHorizontalLift(Game& game, Lift& lift) {
    const int step = LiftStep(lift);
    lift.x = ToInt16(lift.x + (lift.type == kLiftRight ? step : -step));
    if (BlocksLift(game, lift.x + kCellSize * lift.type, lift.y)) {
        lift.type = static_cast<std::uint8_t>(1 - lift.type);
        lift.carried = true;
    }
}

void MoveVerticalLift(Game& game, int i) {
    const int step = LiftStep(game.lifts[i]);
    if (game.lifts[i].touched) {
        game.stepShiftY = ToInt16(step);
        game.playerY = ToInt16(game.playerY + step);
        if (game.lifts[i].type == kLiftDown && TestPlayerBox(game)) {
            game.playerY = ToInt16(game.playerY - step);
        }
        TestPlayerActors(game);
    }
    Lift& lift = game.lifts[i];
    lift.y = ToInt16(lift.y + (lift.type == kLiftUp ? -step : step));
    if (BlocksLift(game, lift.x, lift.y + 12 * lift.type - 24)) {
        lift.type = static_cast<std::uint8_t>(5 - lift.type);
        lift.carried = true;
    }
}

// A drop lift sinks under the player and climbs back home when left alone.
void MoveDropLift(Game& game, int i) {
    const int sink = game.constants.platformConstant;
    if (game.lifts[i].touched) {
        const int y0 = game.playerY;
        game.playerY = ToInt16(game.playerY + sink);
        if (TestPlayerBox(game))
            game.playerY = ToInt16(FloorDiv(game.playerY, kCellSize) * kCellSize);
        game.stepShiftY = ToInt16(game.playerY - y0);
        TestPlayerActors(game);
        game.lifts[i].y = ToInt16(game.lifts[i].y + sink);
    } else {
        Lift& lift = game.lifts[i];
        lift.y = ToInt16(lift.y - 6);
        if (lift.y < lift.param) lift.y = lift.param;
    }
}

}  // namespace

void MoveLift(Game& game, int i) {
    switch (game.lifts[i].type) {
        case kLiftLeft:
        case kLiftRight:
            MoveHorizontalLift(game, game.lifts[i]);
            break;
        case kLiftUp:
        case kLiftDown:
            MoveVerticalLift(game, i);
            break;
        case kDropLift:
            MoveDropLift(game, i);
            break;
        default:
            break;
    }
    game.lifts[i].touched = false;
    if (game.playerY >= game.mapHeight * kCellSize && !game.gameOver) {
        // A lift carried the player out of the map.
        DrawFrame(game);
        ShowGameOver(game);
    }
}

bool RidePlatforms(Game& game, bool carry) {
    const int x0 = game.playerX;
    int dx = 0;
    bool touching = false;
    for (Lift& lift : game.lifts) {
        if (BoxesOverlap(game, lift.x, lift.y, kCellSize, 0)) {
            lift.touched = true;
            game.springJump = false;
            game.chainCount = 0;
            touching = true;
            if (carry) {
                const int y1 = game.playerY;
                game.playerY = ToInt16(lift.y - kCellSize);
                if (TestPlayerBox(game)) {
                    if (lift.type == kLiftUp || lift.type == kLiftDown) {
                        // Pushed into a tile: the player snaps to the cell and the lift turns.
                        game.playerY =
                            ToInt16(FloorDiv(game.playerY + kCellSize, kCellSize) * kCellSize);
                        lift.type = static_cast<std::uint8_t>(5 - lift.type);
                        lift.y = ToInt16(game.playerY + kCellSize);
                    } else if (lift.type <= kLiftRight) {
                        game.playerY = ToInt16(y1);
                    }
                } else if (lift.type <= kLiftRight && !lift.carried) {
                    dx = lift.type == kLiftRight ? LiftStep(lift) : -LiftStep(lift);
                }
                if (!game.jumpStarted) game.airborne = false;
            }
        }
        lift.carried = false;
    }
    if (carry) {
        game.playerX = ToInt16(game.playerX + dx);
        if (TestPlayerBox(game)) game.playerX = ToInt16(x0);
    }
    return touching;
}

}  // namespace tovek
