#include "assets/generators/backgrounds.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "assets/generators/background_tools.h"

namespace tovek::assets {
namespace {

constexpr int kTile = WrappedCanvas::kSize;
constexpr double kPi = std::numbers::pi;

// 0 at y = 0 and y = 64, 1 in the middle: a vertical gradient that wraps.
double Valley(double y) {
    return 0.5 - 0.5 * std::cos(2.0 * kPi * y / kTile);
}

Ramp Fade(Rgb from, Rgb to, int steps) {
    Ramp ramp;
    for (int i = 0; i < steps; ++i)
        ramp.push_back(Mix(from, to, i / double(steps - 1)));
    return ramp;
}

void ForEachPixel(WrappedCanvas& canvas, const std::function<Rgb(int, int)>& paint) {
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x)
            canvas.Set(x, y, paint(x, y));
    }
}

// Puffy clouds with flat, shaded bottoms over a sky that is palest at the
// tile's top and bottom edge.
void PaintCloudySky(WrappedCanvas& c) {
    const Ramp sky = {0x7faad2, 0x8bb4d8, 0x99bfdf, 0xa6c8e4};
    auto skyAt = [&](int x, int y) { return Pick(sky, 0.85 - 0.6 * Valley(y), x, y); };
    ForEachPixel(c, skyAt);
    const Rgb rim = 0xb3c9df;
    const Rgb body = 0xdfe8f1;
    const Rgb light = 0xeef3f7;
    const Rgb shade = 0xc9d8e8;
    struct Puff {
        double x, y, r;
    };
    struct Cloud {
        int baseY;
        std::vector<Puff> puffs;
    };
    const Cloud clouds[] = {
        {20, {{6, 16, 4}, {12, 13, 6}, {19, 15, 4.5}, {24, 17, 3}}},
        {50, {{36, 47, 3.5}, {41, 44, 5}, {47, 46, 4}, {52, 48, 2.5}}},
    };
    for (const Cloud& cloud : clouds) {
        for (const Puff& p : cloud.puffs)
            c.FillCircle(p.x, p.y, p.r + 1.0, rim);
        for (const Puff& p : cloud.puffs)
            c.FillCircle(p.x, p.y, p.r, body);
        for (const Puff& p : cloud.puffs)
            c.FillCircle(p.x - 1.0, p.y - 1.2, p.r - 1.6, light);
        // Cut the puffs off flat at the base line, with a shaded band above it.
        for (int y = cloud.baseY - 2; y <= cloud.baseY + 6; ++y) {
            for (int x = 0; x < kTile; ++x) {
                const Rgb here = c.At(x, y);
                const bool inCloud = here == rim || here == body || here == light;
                if (!inCloud) continue;
                if (y > cloud.baseY) {
                    c.Set(x, y, skyAt(x, y));
                } else if (here != rim) {
                    c.Set(x, y, y == cloud.baseY ? rim : shade);
                }
            }
        }
    }
}

// Layered hills whose feet vanish in mist, the colour the sky starts with.
void PaintMistyHills(WrappedCanvas& c) {
    const Rgb mist = 0xb4cad0;
    const Ramp sky = Fade(mist, 0x8fb2d0, 4);
    const Ramp far = Fade(0x86a89c, mist, 5);
    const Ramp near = Fade(0x6b9466, mist, 6);
    ForEachPixel(c, [&](int x, int y) {
        const double farTop = 22 + 5 * TileWave(x, 1) + 3 * TileWave(x, 3, 1.3);
        const double nearTop = 36 + 6 * TileWave(x, 1, 2.1) + 2 * TileWave(x, 2, 0.4);
        if (y >= nearTop) return Pick(near, (y - nearTop) / (kTile - nearTop), x, y);
        if (y >= farTop) return Pick(far, 0.15 + (y - farTop) / (kTile - farTop), x, y);
        return Pick(sky, std::sin(kPi * y / farTop) * 0.9, x, y);
    });
    // Small trees along the near ridge.
    for (int x = 3; x < kTile; x += 11) {
        const int top = static_cast<int>(36 + 6 * TileWave(x, 1, 2.1) + 2 * TileWave(x, 2, 0.4));
        c.FillCircle(x + 0.5, top - 1.5, 2.2, 0x557d56);
        c.Set(x, top + 1, 0x5b4a40);
    }
}

// Tree trunks in a dim wood, a few leaf clumps in front of them.
void PaintForest(WrappedCanvas& c) {
    const Ramp leaves = {0x2d4839, 0x365442, 0x41614a, 0x4e6f52};
    const Ramp bark = {0x3b302c, 0x4b3c34, 0x5a4a3e};
    struct Trunk {
        int x;
        int width;
    };
    const Trunk trunks[] = {{6, 7}, {37, 5}, {52, 3}};
    ForEachPixel(c, [&](int x, int y) {
        const double n = WrappedNoise(x, y, 4, 4, 3, 21);
        for (const Trunk& t : trunks) {
            const int u = WrappedCanvas::Wrap(x - t.x);
            if (u < t.width && n < 0.66) {
                const double across = u / double(t.width - 1);
                const double grain = Hash01(u, y / 3, 23) * 0.25;
                return Pick(bark, 0.95 - across * 0.9 + grain, x, y);
            }
        }
        return Pick(leaves, n * 1.2 - 0.1, x, y);
    });
    for (int i = 0; i < 14; ++i) {
        const int x = static_cast<int>(Hash01(i, 1, 22) * kTile);
        const int y = static_cast<int>(Hash01(i, 2, 22) * kTile);
        c.Set(x, y, 0x6e8a5c);
    }
}

// Rough rock with lit upper faces and dark cracks.
void PaintCave(WrappedCanvas& c) {
    const Ramp rock = {0x2b2430, 0x362e3c, 0x433948, 0x514555, 0x5d5160};
    ForEachPixel(c, [&](int x, int y) {
        const double n = WrappedNoise(x, y, 4, 4, 4, 31);
        const double relief = n - WrappedNoise(x + 1, y + 1, 4, 4, 4, 31);
        const double crack = std::abs(WrappedNoise(x, y, 2, 4, 2, 32) - 0.5);
        if (crack < 0.018) return rock[0];
        return Pick(rock, 0.35 + relief * 9.0 + (n - 0.5) * 0.8, x, y);
    });
}

// A castle wall of grey blocks with an arched window at night.
void PaintCastle(WrappedCanvas& c) {
    const Ramp stone = {0x4a4858, 0x555365, 0x615f71, 0x6d6b7d};
    const Rgb mortar = 0x3a3846;
    // Courses are shifted half a course so that the tile edge runs through blocks.
    ForEachPixel(c, [&](int x, int y) {
        const int row = ((y + 4) / 8) % 8;
        const int shiftedX = WrappedCanvas::Wrap(x + (row % 2) * 8);
        const int column = shiftedX / 16;
        const int inCourse = (y + 4) % 8;
        if (inCourse == 7 || shiftedX % 16 == 15) return mortar;
        double v = 0.3 + 0.4 * Hash01(column, row, 41) + 0.15 * WrappedNoise(x, y, 8, 8, 1, 42);
        if (inCourse == 0 || shiftedX % 16 == 0) v += 0.3;
        if (inCourse == 6) v -= 0.3;
        return Pick(stone, v, x, y);
    });
    // The window: a stone frame, an arch, night sky and one star.
    const Rgb frame = 0x7a788a;
    const Rgb night = 0x283050;
    for (int y = 14; y <= 48; ++y) {
        for (int x = 22; x <= 41; ++x) {
            const double dx = x + 0.5 - 32.0;
            const double archY = y + 0.5 - 24.0;
            const bool inArch = y >= 24 || dx * dx + archY * archY <= 100.0;
            const bool inFrame = y >= 24 || dx * dx + archY * archY <= 144.0;
            if (std::abs(dx) <= 10 && inArch && y <= 46 && std::abs(dx) <= 8) {
                c.Set(x, y, night);
            } else if (std::abs(dx) <= 10 && inFrame && y <= 48) {
                c.Set(x, y, frame);
            }
        }
    }
    for (int y = 15; y <= 46; ++y)
        c.Set(32, y, 0x3a3846);
    for (int x = 24; x <= 39; ++x)
        c.Set(x, 32, 0x3a3846);
    c.Set(27, 22, 0xb0b4d0);
    c.Set(36, 38, 0x8890b8);
}

// Deep blue with faint haze and scattered stars.
void PaintNight(WrappedCanvas& c) {
    const Ramp sky = {0x151a33, 0x1b213f, 0x22294b, 0x2a3256};
    ForEachPixel(c, [&](int x, int y) {
        return Pick(sky, WrappedNoise(x, y, 2, 4, 3, 51) * 1.2 - 0.15, x, y);
    });
    for (int i = 0; i < 26; ++i) {
        const int x = static_cast<int>(Hash01(i, 1, 52) * kTile);
        const int y = static_cast<int>(Hash01(i, 2, 52) * kTile);
        const double brightness = Hash01(i, 3, 52);
        c.Set(x, y, brightness > 0.6 ? 0xc8cce0 : 0x7880a8);
        if (brightness > 0.88) {
            c.Set(x + 1, y, 0x7880a8);
            c.Set(x - 1, y, 0x7880a8);
            c.Set(x, y + 1, 0x7880a8);
            c.Set(x, y - 1, 0x7880a8);
        }
    }
}

// Warm bands of an evening sky with long thin clouds.
void PaintSunset(WrappedCanvas& c) {
    const Ramp sky = {0x5a3c60, 0x7a4762, 0x9c5562, 0xbc6c60, 0xd18c66, 0xdca874};
    const Ramp streak = {0x5e3650, 0x774058, 0x93505c};
    ForEachPixel(c, [&](int x, int y) {
        const double n = WrappedNoise(x, y, 2, 8, 3, 61);
        const double band = Valley(y);
        if (n > 0.6) return Pick(streak, (n - 0.6) * 3.0 + band * 0.8, x, y);
        return Pick(sky, band, x, y);
    });
}

// Water with slanting light, moving caustics and a few bubbles.
void PaintUnderWater(WrappedCanvas& c) {
    const Ramp sea = {0x1f4a5e, 0x25566a, 0x2c6376, 0x357182, 0x42808e};
    ForEachPixel(c, [&](int x, int y) {
        const double caustic =
            TileWave(x + 0.5 * TileWave(y, 2), 3) + TileWave(y + 0.5 * TileWave(x, 2), 2);
        const int ray = WrappedCanvas::Wrap(x * 2 + y) % 32;
        double v = 0.35 + 0.25 * (1.0 - Valley(y)) + (caustic > 1.3 ? 0.2 : 0.0);
        if (ray < 7) v += 0.15;
        return Pick(sea, v, x, y);
    });
    const double bubbles[][3] = {
        {12, 50, 2.5}, {15, 41, 1.5}, {44, 20, 2.0}, {47, 11, 1.2}, {54, 58, 1.6}};
    for (const auto& b : bubbles) {
        c.FillCircle(b[0], b[1], b[2] + 0.6, 0x7ab4bc);
        c.FillCircle(b[0], b[1], b[2] - 0.4, 0x3c7a88);
        c.Set(static_cast<int>(b[0] - b[2] * 0.4), static_cast<int>(b[1] - b[2] * 0.4), 0xc0e0e0);
    }
}

// Snow-capped peaks fading into the valley haze.
void PaintMountains(WrappedCanvas& c) {
    const Rgb haze = 0xaebccc;
    const Ramp sky = Fade(haze, 0x8aa0c0, 4);
    const Ramp far = Fade(0x7888a8, haze, 5);
    const Ramp near = Fade(0x5c6e8c, haze, 6);
    auto peak = [](double x, double base, double height, double offset) {
        const double u = std::fmod(x + offset + 64.0, 32.0);
        return base - height * (1.0 - std::abs(u - 16.0) / 16.0);
    };
    ForEachPixel(c, [&](int x, int y) {
        const double farTop = peak(x, 34, 20, 0) + 1.5 * TileWave(x, 5);
        const double nearTop = peak(x, 50, 14, 16) + TileWave(x, 4, 1.0);
        if (y >= nearTop) return Pick(near, (y - nearTop) / (kTile - nearTop), x, y);
        if (y >= farTop) {
            if (y < farTop + 4 && farTop < 22) return Rgb{0xd6dde8};
            return Pick(far, 0.1 + (y - farTop) / (kTile - farTop), x, y);
        }
        return Pick(sky, std::sin(kPi * y / std::max(farTop, 1.0)) * 0.9, x, y);
    });
}

// Rows of sand dunes with bright crests.
void PaintDunes(WrappedCanvas& c) {
    const Ramp sand = {0xa47e56, 0xb48c60, 0xc49c6c, 0xd2ac7a, 0xdcba88};
    ForEachPixel(c, [&](int x, int y) {
        const double phase = y / 16.0 + 0.12 * TileWave(x, 1) + 0.06 * TileWave(x, 2, 1.0);
        const double u = phase - std::floor(phase);
        return Pick(sand, 1.0 - std::pow(u, 0.7) + 0.1 * WrappedNoise(x, y, 16, 16, 1, 91), x, y);
    });
}

// Soft snow drifts and falling flakes.
void PaintSnow(WrappedCanvas& c) {
    const Ramp snow = {0x90a6bc, 0x9db2c6, 0xaabdd0, 0xb6c7d8};
    ForEachPixel(c, [&](int x, int y) {
        return Pick(snow, WrappedNoise(x + y * 0.5, y, 2, 4, 3, 101), x, y);
    });
    for (int i = 0; i < 22; ++i) {
        const int x = static_cast<int>(Hash01(i, 1, 102) * kTile);
        const int y = static_cast<int>(Hash01(i, 2, 102) * kTile);
        const Rgb flake = 0xe4ebf2;
        c.Set(x, y, flake);
        if (Hash01(i, 3, 102) > 0.65) {
            c.Set(x + 1, y, 0xcad6e2);
            c.Set(x - 1, y, 0xcad6e2);
            c.Set(x, y + 1, 0xcad6e2);
            c.Set(x, y - 1, 0xcad6e2);
        }
    }
}

// Dark volcanic rock split by faintly glowing seams about a pixel wide: the
// distance to the seam is the noise's offset from its middle divided by its slope.
void PaintLavaCave(WrappedCanvas& c) {
    const Ramp rock = {0x2a1b20, 0x352227, 0x422a2c, 0x4f3332};
    auto field = [](double x, double y) { return WrappedNoise(x, y, 4, 4, 2, 111); };
    ForEachPixel(c, [&](int x, int y) {
        const double n = field(x, y);
        const double dx = (field(x + 1, y) - field(x - 1, y)) / 2;
        const double dy = (field(x, y + 1) - field(x, y - 1)) / 2;
        const double distance = std::abs(n - 0.5) / std::max(std::sqrt(dx * dx + dy * dy), 1e-6);
        if (distance < 0.5) return Rgb{0x94502c};
        if (distance < 1.4) return Rgb{0x532824};
        const double grain = WrappedNoise(x, y, 8, 8, 3, 112);
        return Pick(rock, grain * 1.2 - 0.1 + std::max(0.0, 3.0 - distance) * 0.08, x, y);
    });
}

// Violet cave with standing crystals.
void PaintCrystalCave(WrappedCanvas& c) {
    const Ramp rock = {0x241b34, 0x2c2240, 0x352a4c, 0x3e3256};
    ForEachPixel(c,
                 [&](int x, int y) { return Pick(rock, WrappedNoise(x, y, 4, 4, 3, 121), x, y); });
    struct Crystal {
        double x, y, w, h;
    };
    const Crystal crystals[] = {{9, 44, 4, 14},  {15, 46, 3, 8}, {4, 47, 2, 5},
                                {41, 20, 4, 11}, {47, 22, 3, 6}, {30, 62, 3, 7}};
    for (const Crystal& k : crystals) {
        c.FillPolygon({{k.x - k.w, k.y},
                       {k.x - k.w, k.y - k.h},
                       {k.x, k.y - k.h - k.w * 1.4},
                       {k.x + k.w, k.y - k.h},
                       {k.x + k.w, k.y}},
                      0x58508c);
        c.FillPolygon(
            {{k.x - k.w, k.y}, {k.x - k.w, k.y - k.h}, {k.x, k.y - k.h - k.w * 1.4}, {k.x, k.y}},
            0x7c70ae);
        c.FillPolygon({{k.x - k.w + 1, k.y - k.h},
                       {k.x, k.y - k.h - k.w * 1.4 + 1.5},
                       {k.x - 1, k.y - k.h + 2}},
                      0x9c90c8);
    }
}

// Rows of cloud tops seen from above.
void PaintCloudSea(WrappedCanvas& c) {
    const Ramp cloud = {0x9fb4d0, 0xb4c6de, 0xc8d6e8, 0xd8e2ee};
    ForEachPixel(c, [&](int x, int y) {
        // The nearest scallop row whose rounded top lies above this pixel.
        for (int back = 0; back < 2; ++back) {
            const int bandTop = (y / 16 - back) * 16;
            const double offset = ((bandTop / 16) % 2 == 0) ? 0.0 : 8.0;
            const double u = std::fmod(x + offset + 64.0, 16.0) - 8.0;
            const double top = bandTop + 6.0 - std::sqrt(std::max(0.0, 64.0 - u * u)) * 0.7;
            if (y >= top) {
                const double depth = (y - top) / 22.0;
                return Pick(cloud, 1.0 - depth - (back ? 0.15 : 0.0), x, y);
            }
        }
        return cloud[0];
    });
}

// Sandstone columns before a shadowed temple wall; the band of capitals and
// bases lies across the middle, so the shafts run on over the tile edge.
void PaintTemple(WrappedCanvas& c) {
    const Ramp wall = {0x5a4a3c, 0x64523f, 0x6e5c48};
    const Ramp stone = {0x8a7458, 0x9c8466, 0xae9674, 0xc0a884};
    ForEachPixel(c, [&](int x, int y) {
        const int u = WrappedCanvas::Wrap(x - 6) % 32;
        if (y >= 27 && y < 37 && u < 20) {
            // base (27..31) of the column above, capital (32..36) of the one below
            const int band[] = {1, 6, 6, 6, 0, 1, 6, 6, 6, 0};
            return Pick(stone, band[y - 27] / 6.0, x, y);
        }
        if (u >= 2 && u < 18) {
            const int flute = (u - 2) % 4;
            const double light = 0.85 - (u - 2) / 16.0 * 0.6;
            return Pick(stone, flute == 3 ? light - 0.45 : light, x, y);
        }
        const double block = Hash01(x / 16, ((y + 4) / 8) % 8, 141) * 0.3;
        if ((y + 4) % 8 == 7) return wall[0];
        return Pick(wall, 0.5 + block + 0.2 * WrappedNoise(x, y, 8, 8, 1, 142), x, y);
    });
}

// Riveted panels with a pipe run.
void PaintFactory(WrappedCanvas& c) {
    const Ramp metal = {0x3b414c, 0x464d5a, 0x525a68, 0x5e6676};
    const Ramp pipe = {0x5c4536, 0x77573f, 0x92704e, 0xa88660};
    ForEachPixel(c, [&](int x, int y) {
        const int px = x % 32;
        const int py = y % 32;
        if (px == 31 || py == 31) return metal[0];
        double v = 0.5 + 0.12 * WrappedNoise(x, y, 4, 4, 2, 151);
        if (px == 0 || py == 0) v += 0.35;
        if ((px == 3 || px == 28) && (py == 3 || py == 28)) v += 0.6;
        return Pick(metal, v, x, y);
    });
    for (int x = 0; x < kTile; ++x) {
        for (int y = 38; y <= 45; ++y)
            c.Set(x, y, Pick(pipe, 1.0 - (y - 38) / 7.0, x, y));
    }
    for (int y = 0; y < kTile; ++y) {
        if (y >= 37 && y <= 46) continue;
        for (int x = 14; x <= 19; ++x)
            c.Set(x, y, Pick(pipe, 1.0 - (x - 14) / 5.0, x, y));
    }
    for (int y = 36; y <= 47; ++y) {
        for (int x = 12; x <= 21; ++x) {
            if (y == 36 || y == 47 || x == 12 || x == 21)
                c.Set(x, y, pipe[0]);
            else
                c.Set(x, y, Pick(pipe, 0.9 - (y - 36) / 14.0, x, y));
        }
    }
}

}  // namespace

Image BuildBackgroundSheet() {
    using Painter = void (*)(WrappedCanvas&);
    const Painter painters[kBackgroundCount] = {
        PaintCloudySky,   PaintMistyHills, PaintForest,    PaintCave,    PaintCastle, PaintNight,
        PaintSunset,      PaintUnderWater, PaintMountains, PaintDunes,   PaintSnow,   PaintLavaCave,
        PaintCrystalCave, PaintCloudSea,   PaintTemple,    PaintFactory,
    };
    Image sheet(4 * kBackgroundSize, 4 * kBackgroundSize);
    for (int n = 0; n < kBackgroundCount; ++n) {
        WrappedCanvas canvas;
        painters[n](canvas);
        sheet.CopyFrom(canvas.Picture(), 0, 0, kBackgroundSize, kBackgroundSize,
                       (n % 4) * kBackgroundSize, (n / 4) * kBackgroundSize);
    }
    return sheet;
}

}  // namespace tovek::assets
