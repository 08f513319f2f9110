#pragma once

#include <vector>

#include "assets/generators/image.h"
#include "assets/generators/pixel_art.h"

namespace tovek::assets {

inline constexpr int kCell = 32;
inline constexpr int kMapSheetWidth = 512;
inline constexpr int kMapSheetHeight = 160;
inline constexpr int kPlayerSheetWidth = 128;
inline constexpr int kPlayerSheetHeight = 192;
inline constexpr int kCharacterCount = 3;

// White where the picture is transparent (black), black where it has colour:
// the AND mask that the game draws before OR-ing the picture.
Image MaskOf(const Image& picture);

// The tile and actor sheet from cells named "map CODE" (0..31) and
// "actor KIND" (0..15). Codes 0..15 and 25..29 are opaque; 16..24, 30 and 31
// are masked (mask in row 1, picture in row 3); actors are masked (mask in
// row 2, picture in row 4), drawn facing left. Row 3 stays black under the
// opaque codes so that the editor's OR-composed palette shows them unchanged.
// Throws std::runtime_error for a missing, repeated or misplaced cell.
Image BuildMapSheet(const std::vector<ArtCell>& cells);

// The player sheet from cells named "player CHARACTER STEP" facing left; the
// right-facing steps are their mirror images.
Image BuildPlayerSheet(const std::vector<ArtCell>& cells);

}  // namespace tovek::assets
