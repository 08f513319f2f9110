#pragma once

#include <cstdint>
#include <cstdlib>

#include "common/surface.h"

namespace tovek::testing {

// A surface whose every pixel differs from its neighbours (and from black and
// white), so a pixel that lands in the wrong place shows.
inline Surface Pattern(int width, int height, std::uint32_t seed) {
    Surface surface(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t v = (static_cast<std::uint32_t>(x) * 73856093u) ^
                              (static_cast<std::uint32_t>(y) * 19349663u) ^ (seed * 83492791u);
            v ^= v >> 13;
            v *= 0x5bd1e995u;
            v ^= v >> 15;
            surface.SetPixel(x, y, v);
        }
    }
    return surface;
}

// A 64 x 32 sheet of one masked cell: the mask at x 0 (black where solid,
// white elsewhere) and the picture at x 32 (picture where solid, black
// elsewhere). solid(x, y) tells which cell pixels are solid.
template <typename Solid>
Surface MaskedCellSheet(const Surface& picture, Solid solid) {
    Surface sheet(64, 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            sheet.SetPixel(x, y, solid(x, y) ? 0x000000 : 0xFFFFFF);
            sheet.SetPixel(32 + x, y, solid(x, y) ? picture.Pixel(x, y) : 0x000000);
        }
    }
    return sheet;
}

inline std::uint32_t Apply(RasterOp op, std::uint32_t d, std::uint32_t s) {
    switch (op) {
        case RasterOp::SrcCopy:
            return s;
        case RasterOp::SrcAnd:
            return d & s;
        case RasterOp::SrcPaint:
            return d | s;
    }
    return d;
}

// The stretch rule written out pixel by pixel, with no clipping shortcuts:
// destination step i reads source step floor((2i + 1) * |sw| / (2|w|)), a
// negative extent walks backwards, and pixels whose destination or source is
// outside its surface are left alone. The source is read from a copy, so dst
// may be src.
inline void ReferenceStretch(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx,
                             int sy, int sw, int sh, RasterOp op) {
    if (w == 0 || h == 0 || sw == 0 || sh == 0) return;
    const Surface source = src;
    const long long aw = std::llabs(w), ah = std::llabs(h);
    const long long asw = std::llabs(sw), ash = std::llabs(sh);
    for (long long j = 0; j < ah; ++j) {
        const long long dy = h > 0 ? y + j : y - j;
        const long long kj = (2 * j + 1) * ash / (2 * ah);
        const long long syy = sh > 0 ? sy + kj : sy - kj;
        for (long long i = 0; i < aw; ++i) {
            const long long dx = w > 0 ? x + i : x - i;
            const long long ki = (2 * i + 1) * asw / (2 * aw);
            const long long sxx = sw > 0 ? sx + ki : sx - ki;
            if (dx < 0 || dy < 0 || dx >= dst.Width() || dy >= dst.Height()) continue;
            if (sxx < 0 || syy < 0 || sxx >= source.Width() || syy >= source.Height()) continue;
            const int px = static_cast<int>(dx), py = static_cast<int>(dy);
            dst.SetPixel(px, py,
                         Apply(op, dst.Pixel(px, py),
                               source.Pixel(static_cast<int>(sxx), static_cast<int>(syy))));
        }
    }
}

}  // namespace tovek::testing
