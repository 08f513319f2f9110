#pragma once

#include <cstdint>

namespace tovek {

// Movement constants of one playable character ("Chara" in Tovek.ini).
struct CharacterConstants {
    float arcNormal;
    float arcPowerUpH;
    float arcInWater;
    float arcInWaterPowerUpH;
    std::int16_t jumpImpulse;
    std::int16_t stompRebound;
    std::int16_t stompReboundPowerUpH;
    std::int16_t waterFallCap;
    std::int16_t waterSinkStep;
    std::int16_t speedLimitNormal;
    std::int16_t speedLimitPowerUpF;
    std::int16_t speedLimitInWater;
    std::int16_t speedLimitInWaterPowerUpF;
    std::int16_t platformConstant;
};

// Character 0 balanced, 1 a light high jumper, 2 a heavy runner.
CharacterConstants CharacterConstantsFor(int character);

}  // namespace tovek
