#pragma once

#include <cmath>
#include <cstdint>

// The number rules the game's arithmetic depends on, in one place: pixels map
// to cells by floor division, remainders are never negative, and a
// floating-point result becomes an integer rounded half to even.
namespace tovek {

constexpr int FloorDiv(int a, int n) {
    const int q = a / n;
    return (a % n != 0 && (a < 0) != (n < 0)) ? q - 1 : q;
}

// a mod n in 0..n-1 for positive n, also for negative a.
constexpr int FloorMod(int a, int n) {
    return a - FloorDiv(a, n) * n;
}

constexpr int Sign(int a) {
    return (a > 0) - (a < 0);
}

// Round to the nearest integer, halves to even (the default rounding mode).
inline int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

// 16-bit signed storage: values wrap as two's complement.
constexpr std::int16_t ToInt16(int value) {
    return static_cast<std::int16_t>(value);
}

}  // namespace tovek
