// Writes plain stand-in picture sheets with the exact sizes and cell layout
// of the real art: map.png (512 x 160), player.png (128 x 192) and
// backgrounds.png (256 x 256). Masks are white where the picture beside them
// is black (transparent) and black where it is solid.
//
// Usage: placeholder_sheets <folder>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "common/png_image.h"
#include "common/surface.h"

namespace {

using tovek::Surface;
using Shape = std::function<bool(int x, int y)>;  // cell pixel is solid

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;

std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 |
           static_cast<std::uint32_t>(b);
}

// A colour of its own for each index, bright enough to see on black.
std::uint32_t Hue(int index) {
    static constexpr std::uint32_t kHues[] = {
        0xE04040, 0xE08C30, 0xD8C830, 0x80D040, 0x30C070, 0x30C0C0, 0x3088E0, 0x5050E0,
        0x9040E0, 0xD040C0, 0xE05080, 0xA0A0A0, 0xC08050, 0x60A060, 0x6080B0, 0xB06090};
    return kHues[index % 16];
}

std::uint32_t Darker(std::uint32_t colour) {
    return (colour >> 1) & 0x7F7F7F;
}

// An opaque tile: a bordered block with a diagonal stripe, so flips show.
void OpaqueTile(Surface& sheet, int cellX, int cellY, std::uint32_t colour) {
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool border = x == 0 || y == 0 || x == 31 || y == 31;
            const bool stripe = x == y || x == y + 1;
            sheet.SetPixel(cellX + x, cellY + y, border || stripe ? Darker(colour) : colour);
        }
    }
}

// The mask cell and the picture cell of one shape.
void MaskedPair(Surface& sheet, int maskX, int maskY, int pictureX, int pictureY,
                std::uint32_t colour, const Shape& solid, const Shape& detail) {
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool inside = solid(x, y);
            sheet.SetPixel(maskX + x, maskY + y, inside ? kBlack : kWhite);
            const std::uint32_t paint = detail(x, y) ? kWhite : colour;
            sheet.SetPixel(pictureX + x, pictureY + y, inside ? paint : kBlack);
        }
    }
}

bool InDisc(int x, int y, int cx, int cy, int radius) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

// Actors face left: a body with a nose and an eye on the left, feet below.
bool ActorBody(int x, int y) {
    return InDisc(x, y, 17, 16, 11) || (y >= 13 && y <= 17 && x >= 2 && x < 8) ||
           (y >= 27 && y <= 30 && ((x >= 9 && x <= 13) || (x >= 19 && x <= 23)));
}
bool ActorEye(int x, int y) {
    return InDisc(x, y, 11, 12, 2);
}

Surface MapSheet() {
    Surface sheet(512, 160, kBlack);
    // Row 0: opaque tiles; 0 is the editor's eraser, 12..15 the lifts.
    for (int code = 0; code < 16; ++code) {
        const int x = code * 32;
        if (code == 0) {
            sheet.FillRect(x, 0, 32, 32, kWhite);
            for (int i = 4; i < 28; ++i) {
                sheet.SetPixel(x + i, i, 0xE00000);
                sheet.SetPixel(x + 31 - i, i, 0xE00000);
            }
        } else if (code >= 12) {
            sheet.FillRect(x, 0, 32, 12, Hue(code));           // normal lift
            sheet.FillRect(x, 16, 32, 12, Darker(Hue(code)));  // fast lift
            sheet.FillRect(x, 16, 32, 2, 0xFFFF00);
        } else {
            OpaqueTile(sheet, x, 0, Hue(code));
        }
    }
    // Rows 1 and 3: masked tiles 16..24 and the editor markers 30, 31.
    const Shape shapes[] = {
        [](int x, int y) { return InDisc(x, y, 15, 15, 12); },
        [](int x, int y) { return y >= 31 - 2 * std::min(x, 31 - x); },  // spike
        [](int x, int y) { return InDisc(x, y, 15, 15, 7); },            // coin
        [](int, int y) { return y >= 16; },
        [](int, int y) { return y < 16; },
        [](int x, int) { return x < 16; },
        [](int x, int y) { return (x / 8 + y / 8) % 2 == 0; },
        [](int x, int y) { return x + y < 32; },
        [](int x, int) { return x >= 8 && x < 24; },
    };
    for (int i = 0; i < 9; ++i) {
        MaskedPair(sheet, i * 32, 32, i * 32, 96, Hue(i + 3), shapes[i],
                   [](int x, int y) { return x == 12 && y > 4 && y < 10; });
    }
    OpaqueTile(sheet, 9 * 32, 32, 0x2050C0);        // 25 water
    sheet.FillRect(10 * 32, 32, 32, 12, 0xE09020);  // 26: drop lift on its top rows
    OpaqueTile(sheet, 11 * 32, 32, 0x40A040);       // 27
    OpaqueTile(sheet, 12 * 32, 32, 0xC0A0E0);       // 28 down port
    OpaqueTile(sheet, 13 * 32, 32, 0xA0E0C0);       // 29 up port
    for (int marker = 0; marker < 2; ++marker) {
        const int x = (14 + marker) * 32;
        MaskedPair(
            sheet, x, 32, x, 96, marker == 0 ? 0xFF0000 : 0x00FF00,
            [](int px, int py) { return px < 6 || py < 6 || px > 25 || py > 25; },
            [](int, int) { return false; });
    }
    // Rows 2 and 4: actors 0..15, facing left.
    for (int kind = 0; kind < 16; ++kind) {
        MaskedPair(sheet, kind * 32, 64, kind * 32, 128, Hue(kind), ActorBody, ActorEye);
    }
    return sheet;
}

Surface PlayerSheet() {
    Surface sheet(128, 192, kBlack);
    const std::uint32_t colours[] = {0xE03030, 0x30B030, 0x3060E0};
    for (int character = 0; character < 3; ++character) {
        for (int column = 0; column < 4; ++column) {
            const bool right = column >= 2;
            const int step = column % 2;
            auto mirror = [right](int x) { return right ? 31 - x : x; };
            const Shape solid = [=](int x, int y) {
                const int fx = mirror(x);  // drawn facing left
                const bool head = InDisc(fx, y, 16, 8, 7);
                const bool body = y >= 14 && y < 24 && fx >= 9 && fx < 23;
                const int legShift = step == 0 ? 0 : 3;
                const bool legs = y >= 24 && ((fx >= 10 + legShift && fx < 14 + legShift) ||
                                              (fx >= 18 - legShift && fx < 22 - legShift));
                return head || body || legs;
            };
            const Shape eye = [=](int x, int y) { return InDisc(mirror(x), y, 12, 7, 1); };
            MaskedPair(sheet, column * 32, character * 64, column * 32, character * 64 + 32,
                       colours[character], solid, eye);
        }
    }
    return sheet;
}

Surface BackgroundSheet() {
    Surface sheet(256, 256);
    for (int n = 0; n < 16; ++n) {
        const int left = (n % 4) * 64, top = (n / 4) * 64;
        const std::uint32_t sky = Hue(n);
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                // Pale sky getting lighter downwards, with a few stars.
                const int shade = 96 + y;
                const auto channel = [&](int shift) {
                    return (static_cast<int>((sky >> shift) & 0xFF) * 96 / 255) + shade;
                };
                const bool star = (x * 7 + y * 13 + n * 5) % 97 == 0;
                sheet.SetPixel(left + x, top + y,
                               star ? kWhite
                                    : Rgb(std::min(channel(16), 255), std::min(channel(8), 255),
                                          std::min(channel(0), 255)));
            }
        }
    }
    return sheet;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: placeholder_sheets <folder>\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const bool written = tovek::WritePng(folder / "map.png", MapSheet()) &&
                         tovek::WritePng(folder / "player.png", PlayerSheet()) &&
                         tovek::WritePng(folder / "backgrounds.png", BackgroundSheet());
    if (!written) {
        std::fprintf(stderr, "placeholder_sheets: could not write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
