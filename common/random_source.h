#pragma once

#include <cstdint>

namespace tovek {

// The programs' one uniform random source: SplitMix64, so that a seeded run
// draws the same sequence on every machine and standard library.
class RandomSource {
public:
    explicit RandomSource(std::uint64_t seed) : state_(seed) {}

    void Seed(std::uint64_t seed) { state_ = seed; }

    // Uniform in [0, 1), 53 bits.
    double Next();

    // A draw from 0..n-1: the integer part of Next() * n.
    int Below(int n);

private:
    std::uint64_t state_;
};

// The editor never seeds from the clock: every run draws this same sequence.
inline constexpr std::uint64_t kEditorRandomSeed = 0;

}  // namespace tovek
