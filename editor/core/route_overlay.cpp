#include "editor/core/route_overlay.h"

#include <algorithm>
#include <cstdlib>

#include "editor/core/geometry.h"

namespace quorle {
namespace {

constexpr std::uint32_t kRouteEdgeColour = 0x300018;
constexpr std::uint32_t kStartColour = 0x30E030;
constexpr std::uint32_t kEndColour = 0x3070FF;

// A square pen of `size` pixels stepped along the line from a to b.
void DrawLine(tovek::Surface& picture, RoutePoint a, RoutePoint b, int size, std::uint32_t colour) {
    const int dx = std::abs(b.x - a.x);
    const int dy = -std::abs(b.y - a.y);
    const int stepX = a.x < b.x ? 1 : -1;
    const int stepY = a.y < b.y ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        picture.FillRect(a.x - size / 2, a.y - size / 2, size, size, colour);
        if (a.x == b.x && a.y == b.y) return;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            a.x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            a.y += stepY;
        }
    }
}

// Points further apart than any run or fall covers in one tick are a jump
// through a port: no line joins them.
constexpr int kLongestStep = 4 * kCell;

bool SegmentShows(const tovek::Surface& picture, RoutePoint a, RoutePoint b) {
    if (std::max(std::abs(a.x - b.x), std::abs(a.y - b.y)) > kLongestStep) return false;
    const int margin = 8;
    return !(std::max(a.x, b.x) < -margin || std::min(a.x, b.x) >= picture.Width() + margin ||
             std::max(a.y, b.y) < -margin || std::min(a.y, b.y) >= picture.Height() + margin);
}

void DrawMark(tovek::Surface& picture, RoutePoint at, std::uint32_t colour) {
    picture.FillRect(at.x - 5, at.y - 5, 11, 11, kRouteEdgeColour);
    picture.FillRect(at.x - 4, at.y - 4, 9, 9, colour);
}

}  // namespace

void DrawRoute(tovek::Surface& picture, const std::vector<RoutePoint>& route, int left, int top) {
    if (route.empty()) return;
    std::vector<RoutePoint> points;
    points.reserve(route.size());
    for (const RoutePoint& point : route) {
        points.push_back({point.x + kCell / 2 - left, point.y + kCell / 2 - top});
    }
    // The dark edge under the whole line first, so that crossings stay bright.
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            if (!SegmentShows(picture, points[i], points[i + 1])) continue;
            if (pass == 0) {
                DrawLine(picture, points[i], points[i + 1], 5, kRouteEdgeColour);
            } else {
                DrawLine(picture, points[i], points[i + 1], 3, kRouteColour);
            }
        }
    }
    DrawMark(picture, points.front(), kStartColour);
    DrawMark(picture, points.back(), kEndColour);
}

}  // namespace quorle
