#include "game/core/tiles.h"

#include "game/core/game.h"
#include "game/core/legacy_math.h"
#include "game/core/map_geometry.h"
#include "game/core/sound_music.h"
#include "game/core/stage_loading.h"
#include "game/core/tile_codes.h"

namespace tovek {
namespace {

// The cells a probe strip covers: its first cell and whether it spills into
// the next one.
struct CellSpan {
    int first;
    int count;
};

CellSpan SpanOf(int start, int spillAbove) {
    return {FloorDiv(start, kCellSize), FloorMod(start, kCellSize) > spillAbove ? 2 : 1};
}

void TakeItem(Game& game, std::uint8_t& tile) {
    tile = kTileEmpty;
    PlaySoundEffect(game, kSoundItem);
}

void TouchTile(Game& game, std::uint8_t& tile) {
    switch (tile) {
        case kTilePowerUpF:
            game.powerUpF = true;
            TakeItem(game, tile);
            break;
        case kTilePowerUpH:
            game.powerUpH = true;
            TakeItem(game, tile);
            break;
        case kTilePowerUpB:
            game.powerUpB = true;
            TakeItem(game, tile);
            break;
        case kTilePowerUpL:
            game.powerUpL = true;
            TakeItem(game, tile);
            break;
        case kTileGoal:
            game.stageCleared = true;
            if (game.soundOn) {
                MusicCommand(game, "stop");
                MusicCommand(game, "prev");
            }
            PlaySoundEffect(game, kSoundGoal);
            break;
        case kTileCoin:
            game.score += 10;
            TakeItem(game, tile);
            break;
        case kTileBigCoin:
            game.score += 30;
            TakeItem(game, tile);
            break;
        case kTileSwitch:
            game.powerUpK = true;
            TakeItem(game, tile);
            break;
        case kTileHazard:
            if (game.graceTicks <= 0) BeginDeathFall(game);
            break;
        case kTilePowerUpO:
            game.powerUpO = true;
            TakeItem(game, tile);
            break;
        case kTilePowerDown:
            game.powerUpF = game.powerUpH = game.powerUpB = false;
            game.powerUpL = game.powerUpK = game.powerUpO = false;
            TakeItem(game, tile);
            break;
        default:
            break;
    }
}

}  // namespace

void BeginDeathFall(Game& game) {
    game.dying = true;
    game.deathY = game.playerY;
    PlaySoundEffect(game, kSoundMiss);
}

bool IsPassable(const Game& game, std::uint8_t tile) {
    if (tile >= 1 && tile <= 7) return false;
    if (tile == kTileSpring) return false;
    if (tile >= 28 && tile <= 63) return false;
    if (tile == kTileSwitchBlock) return game.powerUpK;
    return true;
}

bool TestPlayerBox(Game& game) {
    const CellSpan columns = SpanOf(game.playerX + 8, 16);
    const CellSpan rows = {FloorDiv(game.playerY, kCellSize),
                           FloorMod(game.playerY, kCellSize) != 0 ? 2 : 1};
    bool blocked = false;
    bool submerged = true;
    bool anyCellInMap = false;
    for (int row = rows.first; row < rows.first + rows.count; ++row) {
        for (int column = columns.first; column < columns.first + columns.count; ++column) {
            if (!IsInMap(game, column, row)) {
                if (row < 0) submerged = false;
                // The side edges are walls; above and below the map is open.
                if (row >= 0 && row < game.mapHeight) blocked = true;
                continue;
            }
            anyCellInMap = true;
            std::uint8_t& tile = game.TileAt(column, row);
            if (game.bumpProbe) {
                if (tile == kTilePrizeBlock && IsInMap(game, column, row - 1)) {
                    tile = static_cast<std::uint8_t>(1 + game.random.Below(6));
                    OpenPrizeBlock(game, column, row - 1);
                } else if (IsUpPort(tile) && columns.count == 1) {
                    game.warpTicks = -8;
                    game.warpCellX = static_cast<std::int16_t>(column);
                    game.warpCellY = static_cast<std::int16_t>(row);
                }
            }
            if (!IsPassable(game, game.TileAt(column, row))) blocked = true;
            if (game.WaterAt(column, row) != kWaterCode) submerged = false;
        }
    }
    game.bumpProbe = false;
    if (submerged && anyCellInMap && !game.powerUpO && game.graceTicks == 0) BeginDeathFall(game);
    return blocked;
}

void TouchCells(Game& game) {
    game.inWater = false;
    const CellSpan columns = SpanOf(game.playerX + 12, 24);
    const CellSpan rows = SpanOf(game.playerY + 4, 8);
    for (int row = rows.first; row < rows.first + rows.count; ++row) {
        for (int column = columns.first; column < columns.first + columns.count; ++column) {
            if (!IsInMap(game, column, row)) continue;
            TouchTile(game, game.TileAt(column, row));
            if (game.WaterAt(column, row) == kWaterCode) {
                game.inWater = true;
                game.chainCount = 0;
            }
        }
    }
    SelectArcFactor(game, game.inWater);
    SelectSpeedLimit(game, game.inWater);
}

void OpenPrizeBlock(Game& game, int column, int row) {
    switch (game.random.Below(3)) {
        case 0:
            game.TileAt(column, row) = static_cast<std::uint8_t>(8 + game.random.Below(4));
            break;
        case 1:
            game.TileAt(column, row) = static_cast<std::uint8_t>(18 + game.random.Below(2));
            break;
        default: {
            const int facing = game.random.Below(2);
            const int code =
                (facing != 0 ? kActorCodeRight : kActorCodeLeft) + game.random.Below(10);
            AddActor(game, column, row, code);
            break;
        }
    }
}

PortExit FindPortExit(const Game& game, int column, int row, std::int16_t warpTicks) {
    const auto tileAt = [&](int c, int r) { return game.tileMap[c + r * game.mapWidth]; };
    const int code = tileAt(column, row);
    int otherCode = code;
    if (IsDownPort(static_cast<std::uint8_t>(code))) otherCode = code + 16;
    if (IsUpPort(static_cast<std::uint8_t>(code))) otherCode = code - 16;

    PortExit exit{column, row, warpTicks};
    for (int r = game.mapHeight - 1; r >= 0; --r) {
        for (int c = game.mapWidth - 1; c >= 0; --c) {
            if (c == column && r == row) continue;
            const int tile = tileAt(c, r);
            if (tile != code && tile != otherCode) continue;
            exit.column = c;
            exit.row = r;
            if (tile == otherCode && otherCode != code) {
                exit.warpTicks = static_cast<std::int16_t>(-exit.warpTicks);
            }
            break;
        }
    }
    return exit;
}

void WarpToPartner(Game& game, int column, int row) {
    const PortExit exit = FindPortExit(game, column, row, game.warpTicks);
    game.warpTicks = exit.warpTicks;
    game.playerX = static_cast<std::int16_t>(kCellSize * exit.column);
    game.playerY = static_cast<std::int16_t>(kCellSize * (exit.row - Sign(game.warpTicks)));
}

void SelectArcFactor(Game& game, bool inWater) {
    const CharacterConstants& k = game.constants;
    if (inWater) {
        game.arcFactor = game.powerUpH ? k.arcInWaterPowerUpH : k.arcInWater;
    } else {
        game.arcFactor = game.powerUpH ? k.arcPowerUpH : k.arcNormal;
    }
}

void SelectSpeedLimit(Game& game, bool inWater) {
    const CharacterConstants& k = game.constants;
    if (inWater) {
        game.speedLimit = game.powerUpF ? k.speedLimitInWaterPowerUpF : k.speedLimitInWater;
    } else {
        game.speedLimit = game.powerUpF ? k.speedLimitPowerUpF : k.speedLimitNormal;
    }
}

}  // namespace tovek
