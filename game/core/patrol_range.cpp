#include "game/core/patrol_range.h"

#include "game/core/game.h"
#include "game/core/map_geometry.h"
#include "game/core/tiles.h"

namespace tovek {
namespace {

// Cells outside the map count as solid, so a scan always stops at the edge.
bool PassableAt(const Game& game, int column, int row) {
    return IsInMap(game, column, row) &&
           IsPassable(game, game.tileMap[column + row * game.mapWidth]);
}

void SetVerticalRange(const Game& game, Actor& actor, int column, int row) {
    if (game.mirrorVertical) actor.dir = static_cast<std::uint8_t>(1 - actor.dir);
    int lo = 0;
    int hi = game.mapHeight - 1;
    for (int r = row - 1; r >= 0; --r) {
        if (!PassableAt(game, column, r)) {
            lo = r + 1;
            break;
        }
    }
    for (int r = row + 1; r < game.mapHeight; ++r) {
        if (!PassableAt(game, column, r)) {
            hi = r - 1;
            break;
        }
    }
    actor.lo = static_cast<std::int16_t>(lo);
    actor.hi = static_cast<std::int16_t>(hi);
}

void SetHorizontalRange(const Game& game, Actor& actor, int column, int row) {
    if (game.mirrorHorizontal) actor.dir = static_cast<std::uint8_t>(1 - actor.dir);
    // Walkers keep to their floor; kinds 3 and 8 go from wall to wall.
    const bool followsFloor = actor.kind != 3 && actor.kind != 8;
    const bool onBottomRow = row >= game.mapHeight - 1;
    if (followsFloor && (onBottomRow || PassableAt(game, column, row + 1))) {
        actor.lo = static_cast<std::int16_t>(column);
        actor.hi = static_cast<std::int16_t>(column);
        return;
    }
    const auto stops = [&](int c) {
        return !PassableAt(game, c, row) ||
               (followsFloor && !onBottomRow && PassableAt(game, c, row + 1));
    };
    int lo = 0;
    int hi = game.mapWidth - 1;
    for (int c = column - 1; c >= 0; --c) {
        if (stops(c)) {
            lo = c + 1;
            break;
        }
    }
    for (int c = column + 1; c < game.mapWidth; ++c) {
        if (stops(c)) {
            hi = c - 1;
            break;
        }
    }
    actor.lo = static_cast<std::int16_t>(lo);
    actor.hi = static_cast<std::int16_t>(hi);
}

}  // namespace

void SetPatrolRange(const Game& game, Actor& actor, int column, int row) {
    if (actor.kind == 4) {
        SetVerticalRange(game, actor, column, row);
    } else {
        SetHorizontalRange(game, actor, column, row);
    }
}

}  // namespace tovek
