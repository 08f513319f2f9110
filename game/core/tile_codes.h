#pragma once

#include <cstdint>

#include "common/cell_group.h"

namespace tovek {

// Main tile codes with a rule of their own in play.
enum TileCode : std::uint8_t {
    kTileEmpty = 0,
    kTilePrizeBlock = 7,
    kTilePowerUpF = 8,
    kTilePowerUpH = 9,
    kTilePowerUpB = 10,
    kTilePowerUpL = 11,
    kTileStart = 16,
    kTileGoal = 17,
    kTileCoin = 18,
    kTileBigCoin = 19,
    kTileSwitch = 20,
    kTileSpring = 21,
    kTileSwitchBlock = 22,
    kTileHazard = 23,
    kTilePowerUpO = 24,
    kTilePowerDown = 27,
};

inline bool IsDownPort(std::uint8_t tile) {
    return tile >= 32 && tile <= 47;
}
inline bool IsUpPort(std::uint8_t tile) {
    return tile >= 48 && tile <= 63;
}

// Sound-effect numbers.
enum SoundNumber : int { kSoundGoal = 0, kSoundItem = 1, kSoundMiss = 2, kSoundStomp = 3 };

}  // namespace tovek
