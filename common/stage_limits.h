#pragma once

namespace tovek {

// Stages are numbered 1..kStageCount; stage kStageCount is stored as m00.dat.
inline constexpr int kStageCount = 100;

// One map cell is kCellSize × kCellSize pixels; positions are map pixels.
inline constexpr int kCellSize = 32;

// The map sizes the editor makes and writes, in cells.
inline constexpr int kMinMapWidth = 12;
inline constexpr int kMinMapHeight = 8;
inline constexpr int kMaxMapSide = 255;

}  // namespace tovek
