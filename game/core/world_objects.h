#pragma once

#include <cstdint>

namespace tovek {

// Lift types. A lift that meets a wall turns from left to right (1 - type)
// or from up to down (5 - type).
inline constexpr std::uint8_t kLiftLeft = 0;
inline constexpr std::uint8_t kLiftRight = 1;
inline constexpr std::uint8_t kLiftUp = 2;
inline constexpr std::uint8_t kLiftDown = 3;
inline constexpr std::uint8_t kDropLift = 4;

// A moving platform of one of the types above.
struct Lift {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint8_t type = 0;
    bool active = false;     // has been in view; only active lifts move
    bool carried = false;    // reversed this tick, so it carries nobody sideways
    bool touched = false;    // the player stands on it this tick
    std::int16_t param = 0;  // 1 for a fast lift; the home y of a drop lift

    bool operator==(const Lift&) const = default;
};

// Any stage object other than tiles and lifts; kind 0..15, 14 hides its kind.
struct Actor {
    std::uint8_t kind = 0;
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint8_t dir = 0;   // 1 right (kind 4: down), 0 left (kind 4: up)
    std::int16_t mark = 0;  // vertical displacement in the current tick
    bool active = false;    // has been in view (or was spawned); only active actors move
    std::int16_t vy = 0;
    std::int16_t home = 0;
    std::int16_t lo = 0;  // patrol range in cells; the cycle counter of kind 9
    std::int16_t hi = 0;
    std::int16_t state = 0;  // non-zero: knocked out
    std::int16_t extra = 0;  // hidden kind of kind 14; spawns left of kind 15

    bool operator==(const Actor&) const = default;
};

}  // namespace tovek
