#pragma once

#include <cstdint>
#include <vector>

namespace tovek::assets {

inline constexpr int kSoundRate = 11025;

// A mono 8-bit 11025 Hz RIFF WAVE file: the 12-byte header, a 16-byte "fmt "
// chunk, then "data" with a pad byte after an odd number of samples.
std::vector<std::uint8_t> EncodeWave(const std::vector<std::uint8_t>& samples);

}  // namespace tovek::assets
