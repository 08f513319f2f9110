#pragma once

#include <cstdint>

namespace quorle {

inline constexpr int kCell = 32;  // pixels per map cell and palette tile
inline constexpr int kViewColumns = 12;
inline constexpr int kViewRows = 8;
inline constexpr int kViewWidth = kViewColumns * kCell;  // pctMain
inline constexpr int kViewHeight = kViewRows * kCell;
inline constexpr int kPaletteWidth = 16 * kCell;  // pctBase
inline constexpr int kPaletteHeight = 5 * kCell;
inline constexpr int kChooserSize = 112;  // pctBack, 4 x 4 backgrounds of 28

inline constexpr int kMinMapWidth = 12;
inline constexpr int kMaxMapWidth = 255;
inline constexpr int kMinMapHeight = 8;
inline constexpr int kMaxMapHeight = 255;

// The colour of a picture box with nothing drawn in it yet.
inline constexpr std::uint32_t kPictureBackColour = 0xF0F0F0;

}  // namespace quorle
