#pragma once

#include "assets/generators/image.h"

namespace tovek::assets {

inline constexpr int kBackgroundSize = 64;
inline constexpr int kBackgroundCount = 16;

// The sixteen 64 x 64 backgrounds, 4 x 4 on a 256 x 256 sheet. Each one wraps
// around at its edges, so the game can repeat it in both directions.
Image BuildBackgroundSheet();

}  // namespace tovek::assets
