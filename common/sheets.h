#pragma once

#include "common/surface.h"

namespace tovek {

// The built-in picture sheets (cells of 32 x 32):
//   picMap      512 x 160  tiles and actors, 16 x 5 cells
//   picPlayer   128 x 192  player, 4 x 6 cells
//   picBackBase 256 x 256  backgrounds, 4 x 4 patterns of 64 x 64
struct PictureSheets {
    Surface picMap;
    Surface picPlayer;
    Surface picBackBase;
};

inline constexpr int kPicMapWidth = 512;
inline constexpr int kPicMapHeight = 160;
inline constexpr int kPicPlayerWidth = 128;
inline constexpr int kPicPlayerHeight = 192;
inline constexpr int kPicBackBaseWidth = 256;
inline constexpr int kPicBackBaseHeight = 256;

// Decodes the sheets built into the program. Each always has its exact size:
// a sheet that failed to decode (which the tests rule out) would be black.
PictureSheets LoadPictureSheets();

}  // namespace tovek
