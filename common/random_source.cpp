#include "common/random_source.h"

namespace tovek {

double RandomSource::Next() {
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53;
}

int RandomSource::Below(int n) { return static_cast<int>(Next() * n); }

}  // namespace tovek
