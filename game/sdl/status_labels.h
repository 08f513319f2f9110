#pragma once

#include <cstdint>
#include <string_view>

#include "common/surface.h"
#include "common/text.h"
#include "game/sdl/client_layout.h"

namespace tovek {

// The look of the two status labels: the Japanese sans face (9 points at
// scale 1), black on the light grey of window controls, one line starting two
// pixels (at scale 1) in from the label's left edge, centred in the label's
// height.
inline constexpr std::uint32_t kLabelTextColour = 0x000000;
inline constexpr std::uint32_t kLabelBackColour = 0xF0F0F0;
inline constexpr int kLabelTextLeft = 2;

// Paints one label with its text in the given size into the client surface.
// Nothing outside the label's rectangle changes; a text longer than the label
// is cut at its right edge.
void DrawStatusLabel(Surface& client, const ClientRect& label, TextPainter& sans,
                     std::string_view text, int points = kLabelPoints);

}  // namespace tovek
