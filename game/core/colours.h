#pragma once

#include <cstdint>

namespace tovek {

// 0x00RRGGBB colours of the game's screens.
inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kRed = 0xFF0000;
inline constexpr std::uint32_t kBlue = 0x0000FF;
// The display surface's own colour, seen on the stage-select screen (a frame
// covers it with the background).
inline constexpr std::uint32_t kPictureBackColour = 0xFFFFFF;
// The window's background: the game-over screen dims the last frame with it.
inline constexpr std::uint32_t kWindowBackColour = 0x404040;

}  // namespace tovek
