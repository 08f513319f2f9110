#include "assets/generators/background_tools.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace tovek::assets {
namespace {

constexpr int kBayer4[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

double Smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

int WrapTo(int v, int period) {
    return ((v % period) + period) % period;
}

}  // namespace

void WrappedCanvas::FillCircle(double cx, double cy, double r, Rgb colour) {
    const int x0 = static_cast<int>(std::floor(cx - r));
    const int x1 = static_cast<int>(std::ceil(cx + r));
    const int y0 = static_cast<int>(std::floor(cy - r));
    const int y1 = static_cast<int>(std::ceil(cy + r));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            if (dx * dx + dy * dy <= r * r) Set(x, y, colour);
        }
    }
}

void WrappedCanvas::FillPolygon(std::initializer_list<std::pair<double, double>> points,
                                Rgb colour) {
    const std::vector<std::pair<double, double>> corners(points);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            for (int oy = -kSize; oy <= kSize; oy += kSize) {
                for (int ox = -kSize; ox <= kSize; ox += kSize) {
                    const double px = x + 0.5 + ox;
                    const double py = y + 0.5 + oy;
                    bool inside = false;
                    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
                        const auto [xi, yi] = corners[i];
                        const auto [xj, yj] = corners[j];
                        if ((yi > py) != (yj > py) && px < xi + (py - yi) * (xj - xi) / (yj - yi)) {
                            inside = !inside;
                        }
                    }
                    if (inside) Set(x, y, colour);
                }
            }
        }
    }
}

Rgb Pick(const Ramp& ramp, double value, int x, int y) {
    const int last = static_cast<int>(ramp.size()) - 1;
    const double scaled = std::clamp(value, 0.0, 1.0) * last;
    int index = static_cast<int>(std::floor(scaled));
    const double fraction = scaled - index;
    const double threshold = (kBayer4[WrapTo(y, 4)][WrapTo(x, 4)] + 0.5) / 16.0;
    if (fraction > threshold) ++index;
    return ramp[std::clamp(index, 0, last)];
}

Rgb Mix(Rgb a, Rgb b, double t) {
    Rgb result = 0;
    for (int shift : {16, 8, 0}) {
        const double ca = (a >> shift) & 0xFF;
        const double cb = (b >> shift) & 0xFF;
        const auto channel = static_cast<Rgb>(std::lround(ca + (cb - ca) * t));
        result |= std::min<Rgb>(channel, 255) << shift;
    }
    return result;
}

double Hash01(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8DA6B343u ^
                      static_cast<std::uint32_t>(y) * 0xD8163841u ^
                      static_cast<std::uint32_t>(seed) * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / static_cast<double>(0x1000000);
}

double WrappedNoise(double x, double y, int cellsX, int cellsY, int octaves, int seed) {
    double sum = 0.0;
    double weight = 1.0;
    double total = 0.0;
    for (int octave = 0; octave < octaves; ++octave) {
        const double fx = x * cellsX / 64.0;
        const double fy = y * cellsY / 64.0;
        const int ix = static_cast<int>(std::floor(fx));
        const int iy = static_cast<int>(std::floor(fy));
        const double tx = Smooth(fx - ix);
        const double ty = Smooth(fy - iy);
        auto corner = [&](int dx, int dy) {
            return Hash01(WrapTo(ix + dx, cellsX), WrapTo(iy + dy, cellsY), seed + octave * 101);
        };
        const double top = corner(0, 0) + (corner(1, 0) - corner(0, 0)) * tx;
        const double bottom = corner(0, 1) + (corner(1, 1) - corner(0, 1)) * tx;
        sum += weight * (top + (bottom - top) * ty);
        total += weight;
        weight *= 0.5;
        cellsX *= 2;
        cellsY *= 2;
    }
    return sum / total;
}

double TileWave(double x, int turns, double phase) {
    return std::sin(2.0 * std::numbers::pi * turns * x / 64.0 + phase);
}

}  // namespace tovek::assets
