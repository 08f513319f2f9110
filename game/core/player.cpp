#include "game/core/player.h"

#include <algorithm>
#include <cstdlib>

#include "game/core/actors.h"
#include "game/core/frame_renderer.h"
#include "game/core/game.h"
#include "game/core/legacy_math.h"
#include "game/core/lifts.h"
#include "game/core/map_geometry.h"
#include "game/core/scoring.h"
#include "game/core/tile_codes.h"
#include "game/core/tiles.h"

namespace tovek {
namespace {

// Hover (power-up L): hangs at the top of a jump for five ticks unless ground
// is one pixel below. Returns true when the player hangs this tick.
bool Hover(Game& game) {
    if (game.playerSpeedY == 0 && game.powerUpL && game.hoverTicks == 0) game.hoverTicks = 6;
    if (game.hoverTicks <= 0) return false;
    game.hoverTicks -= 1;
    game.playerY += 1;
    if (CheckFooting(game)) game.hoverTicks = 0;
    game.playerY -= 1;
    return game.hoverTicks > 0 && !game.inWater;
}

// This tick's vertical move; advances the arc unless the water cap held it.
int VerticalMove(Game& game) {
    int dy = ArcStep(game, game.playerSpeedY, game.springJump);
    bool capped = false;
    if (game.inWater) {
        if (game.hoverTicks == 0 && dy > game.constants.waterFallCap) {
            dy = game.constants.waterFallCap;
            capped = true;
        }
        if (game.hoverTicks > 0) dy = 0;
        if (game.heldVertical == 2) {
            game.hoverTicks = 0;
            dy = game.constants.waterSinkStep;
        }
    }
    if (!capped) game.playerSpeedY += 1;
    return dy;
}

// Falls in steps of at most one cell so no floor, lift or actor is skipped.
// Returns true on landing on a tile.
bool Fall(Game& game, int dy) {
    const int y0 = game.playerY;
    for (int s = 0; s <= dy + kCellSize; s += kCellSize) {
        const int subStepY = y0 + std::min(s, dy);
        game.playerY = ToInt16(subStepY);
        if (TestPlayerBox(game)) {
            game.playerY = ToInt16(FloorDiv(game.playerY - 1, kCellSize) * kCellSize);
            game.airborne = false;
            CheckFooting(game);
            return true;
        }
        RidePlatforms(game, true);
        game.stepShiftY = ToInt16(s <= dy ? kCellSize : dy % kCellSize);
        TestPlayerActors(game);
        TouchCells(game);
        if (game.stageCleared) return false;
        if (game.playerY < subStepY) break;  // a lift holds the player up
    }
    return false;
}

void Rise(Game& game, int dy) {
    const int y0 = game.playerY;
    for (int s = 0; s >= dy - kCellSize; s -= kCellSize) {
        game.playerY = ToInt16(y0 + std::max(s, dy));
        TouchCells(game);
        game.bumpProbe = true;
        if (TestPlayerBox(game)) {
            game.playerY = ToInt16(FloorDiv(game.playerY + kCellSize, kCellSize) * kCellSize);
            game.playerSpeedY = 0;
            return;
        }
    }
}

// Grows the restart copy by the actors added since, each a copy of the actor
// as it is now, so a continue never brings back a blank record.
void GrowRestartCopy(Game& game) {
    for (std::size_t i = game.actorsAtStart.size(); i < game.actors.size(); ++i) {
        Actor copy = game.actors[i];
        if (copy.state != 0) copy.y = ToInt16(game.mapHeight * kCellSize);
        game.actorsAtStart.push_back(copy);
    }
}

void MoveRestartPoint(Game& game) {
    GrowRestartCopy(game);
    for (std::size_t i = 0; i < game.actors.size(); ++i) {
        if (game.actorsAtStart[i].state != 0 || !game.actors[i].active) continue;
        game.actorsAtStart[i] = game.actors[i];
        if (game.actorsAtStart[i].state != 0) {
            game.actorsAtStart[i].y = ToInt16(game.mapHeight * kCellSize);
        }
    }
    for (std::size_t i = 0; i < game.lifts.size() && i < game.liftsAtStart.size(); ++i) {
        if (game.lifts[i].active) game.liftsAtStart[i] = game.lifts[i];
    }
    game.startX = game.playerX;
    game.startY = game.playerY;
}

}  // namespace

int ArcStep(const Game& game, int n, bool spring) {
    const int squares = std::abs(n) * std::abs(n) - std::abs(n + 1) * std::abs(n + 1);
    int d = RoundHalfEven(static_cast<float>(squares) * game.arcFactor);
    if (spring) d *= 2;
    return -d;
}

void StartJump(Game& game, bool jump) {
    if (jump) {
        game.playerSpeedY = game.inWater ? std::int16_t{-4} : game.constants.jumpImpulse;
        game.hoverTicks = 0;
    } else {
        game.playerSpeedY = 0;
    }
    game.airborne = true;
    game.jumpStarted = true;
}

bool UpdatePlayer(Game& game) {
    if (Hover(game)) return false;
    const int dy = VerticalMove(game);
    if (dy > 0) {
        if (Fall(game, dy)) return true;
    } else {
        Rise(game, dy);
    }
    if (!game.stageCleared && game.playerY >= game.mapHeight * kCellSize && !game.gameOver) {
        // Fell out of the map.
        DrawFrame(game);
        ShowGameOver(game);
    }
    return false;
}

FeetProbe FeetProbeOf(const Game& game) {
    const int x = game.playerX + 8;
    return {FloorDiv(x, kCellSize), FloorMod(x, kCellSize) > 16 ? 2 : 1,
            FloorDiv(game.playerY + kCellSize, kCellSize)};
}

std::optional<int> FootingColumn(const Game& game) {
    const FeetProbe feet = FeetProbeOf(game);
    for (int column = feet.firstColumn; column < feet.firstColumn + feet.columnCount; ++column) {
        if (IsInMap(game, column, feet.row) &&
            !IsPassable(game, game.tileMap[column + feet.row * game.mapWidth])) {
            return column;
        }
    }
    return std::nullopt;
}

bool CheckFooting(Game& game) {
    const std::optional<int> footingColumn = FootingColumn(game);
    if (!footingColumn) return false;
    const int footing = *footingColumn;
    const FeetProbe feet = FeetProbeOf(game);
    const int row = feet.row;

    game.springJump = false;
    game.chainCount = 0;
    const std::uint8_t tile = game.TileAt(footing, row);
    if (tile == kTileSpring) {
        game.springJump = true;
    } else if (IsDownPort(tile) && game.heldVertical == 2 && feet.columnCount == 1) {
        game.warpTicks = 8;
        game.warpCellX = ToInt16(footing);
        game.warpCellY = ToInt16(row);
    }
    MoveRestartPoint(game);
    return true;
}

}  // namespace tovek
