#pragma once

#include <cstdint>

namespace tovek {

struct Game;

// Whether the player, actors and lifts can pass through a tile code.
bool IsPassable(const Game& game, std::uint8_t tile);

// True when the player's solid box (x+8..x+23, y..y+31) meets a solid cell or
// a side edge of the map. With the head probe armed it also opens prize
// blocks and enters up-ports; a box wholly in water drowns the player.
bool TestPlayerBox(Game& game);

// Applies every tile under the player's item probe (x+12..x+19, y+4..y+27):
// items, coins, the goal, the hazard, water.
void TouchCells(Game& game);

// A miss begins: the player's death fall starts where it stands.
void BeginDeathFall(Game& game);

void OpenPrizeBlock(Game& game, int column, int row);

// The partner a port cell leads to, found by scanning the map from its last
// cell backwards, and the port countdown after the scan: every cell of the
// other code found turns its sign, which decides whether the player comes out
// above (countdown > 0) or below the partner.
struct PortExit {
    int column;
    int row;
    std::int16_t warpTicks;
};
PortExit FindPortExit(const Game& game, int column, int row, std::int16_t warpTicks);

// Moves the player to the partner of the port at the armed cell.
void WarpToPartner(Game& game, int column, int row);

void SelectArcFactor(Game& game, bool inWater);
void SelectSpeedLimit(Game& game, bool inWater);

}  // namespace tovek
