#pragma once

#include <cstdint>

#include "common/stage_limits.h"

namespace quorle {

inline constexpr int kCell = tovek::kCellSize;  // pixels per map cell and palette tile
inline constexpr int kViewColumns = 12;
inline constexpr int kViewRows = 8;
inline constexpr int kViewWidth = kViewColumns * kCell;  // pctMain
inline constexpr int kViewHeight = kViewRows * kCell;
inline constexpr int kPaletteWidth = 16 * kCell;  // pctBase
inline constexpr int kPaletteHeight = 5 * kCell;
inline constexpr int kChooserSize = 112;  // pctBack, 4 x 4 backgrounds of 28

inline constexpr int kMinMapWidth = tovek::kMinMapWidth;
inline constexpr int kMaxMapWidth = tovek::kMaxMapSide;
inline constexpr int kMinMapHeight = tovek::kMinMapHeight;
inline constexpr int kMaxMapHeight = tovek::kMaxMapSide;

// The colour of a picture box with nothing drawn in it yet.
inline constexpr std::uint32_t kPictureBackColour = 0xF0F0F0;

}  // namespace quorle
