#pragma once

#include "game/core/game.h"
#include "game/core/legacy_math.h"

namespace tovek {

// True exactly for cells of the loaded map.
inline bool IsInMap(const Game& game, int column, int row) {
    return column >= 0 && column < game.mapWidth && row >= 0 && row < game.mapHeight;
}

// a mod n in 0..n-1, also for negative a.
inline int WrapMod(int a, int n) {
    return FloorMod(a, n);
}

}  // namespace tovek
