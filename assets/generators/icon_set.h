#pragma once

#include <string>
#include <vector>

#include "assets/generators/image.h"
#include "assets/generators/pixel_art.h"

namespace tovek::assets {

// The sizes in pixels at which each program icon ships (the freedesktop icon
// theme's usual application sizes).
inline constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The icon `name` at `size` pixels from cells named "NAME SIZE": the cell of
// that size when one is drawn, otherwise the largest drawn size that divides
// `size`, enlarged by whole pixels. Throws std::runtime_error when neither
// exists or a cell is drawn twice.
Image BuildIcon(const std::vector<ArtCell>& cells, const std::string& name, int size);

}  // namespace tovek::assets
