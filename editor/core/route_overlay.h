#pragma once

#include <cstdint>
#include <vector>

#include "common/surface.h"
#include "editor/core/editor.h"

namespace quorle {

inline constexpr std::uint32_t kRouteColour = 0xFF30C0;

// Draws a route over a picture of the map whose top-left pixel is map pixel
// (left, top): a line through the points (the player's top-left corners)
// along the middle of the player's box, marked at its start and its end,
// broken where the player went through a port.
void DrawRoute(tovek::Surface& picture, const std::vector<RoutePoint>& route, int left, int top);

}  // namespace quorle
