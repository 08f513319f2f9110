#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace tovek {

// The four built-in WAVE files in sound-number order: goal, item, miss, stomp.
std::array<std::span<const std::uint8_t>, 4> EmbeddedSoundFiles();

}  // namespace tovek
