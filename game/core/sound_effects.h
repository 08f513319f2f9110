#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace tovek {

// The four effects in the order of their sound numbers: goal, item, miss, stomp.
inline constexpr int kSoundEffectCount = 4;

using SoundImage = std::vector<std::uint8_t>;

// One character's version of a built-in WAVE file. Character 0 hears it
// unchanged; character 1 keeps every second sample byte (an octave up, twice as
// fast); character 2 repeats every sample byte (an octave down, half as fast).
// The header is copied with its sizes patched. A file whose chunk sizes have the
// top bit set, or whose chunk offsets run past its end, is returned unchanged.
SoundImage RepitchWave(int character, std::span<const std::uint8_t> wave);

// The playable images of all four effects for the chosen character.
std::array<SoundImage, kSoundEffectCount> LoadSoundEffects(
    int character, const std::array<std::span<const std::uint8_t>, kSoundEffectCount>& waveFiles);

}  // namespace tovek
