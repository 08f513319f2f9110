// Draws every cell of the three sheets over a few backgrounds, composed the
// way the game draws them (AND with the mask, then OR with the picture):
// make_gallery SHEETS_DIR OUT_PNG.
#include <iostream>
#include <optional>
#include <string>

#include "assets/generators/image.h"

namespace {

using tovek::assets::Image;
using tovek::assets::Rgb;

constexpr int kCell = 32;
constexpr int kScale = 2;
constexpr int kGap = 8;
constexpr int kPanelWidth = 16 * kCell;
constexpr int kPanelHeight = 4 * kCell;
const int kBackgrounds[] = {0, 2, 3, 5, 6, 7, 9, 13};

enum class Raster { Copy, And, Or };

void Blit(Image& target, int dx, int dy, const Image& source, int sx, int sy, int w, int h,
          Raster raster) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Rgb s = source.At(sx + x, sy + y);
            const Rgb d = target.At(dx + x, dy + y);
            target.Set(dx + x, dy + y,
                       raster == Raster::Copy  ? s
                       : raster == Raster::And ? (d & s)
                                               : (d | s));
        }
    }
}

void Masked(Image& target, int dx, int dy, const Image& sheet, int column, int maskRow,
            int pictureRow) {
    Blit(target, dx, dy, sheet, column * kCell, maskRow * kCell, kCell, kCell, Raster::And);
    Blit(target, dx, dy, sheet, column * kCell, pictureRow * kCell, kCell, kCell, Raster::Or);
}

// A port number as the game prints it: one black hex digit. Two sample digits
// in a 5 x 8 pixel hand, enough to show the room the port pictures leave.
void SampleDigit(Image& target, int x, int y, char digit) {
    static const char* const kThree[8] = {".###.", "#...#", "....#", "..##.",
                                          "....#", "....#", "#...#", ".###."};
    static const char* const kC[8] = {".###.", "#...#", "#....", "#....",
                                      "#....", "#....", "#...#", ".###."};
    const char* const* rows = digit == '3' ? kThree : kC;
    for (int j = 0; j < 8; ++j) {
        for (int i = 0; i < 5; ++i) {
            if (rows[j][i] == '#') target.Set(x + i, y + j, 0x000000);
        }
    }
}

void DrawPanel(Image& target, int ox, int oy, int background, const Image& map, const Image& player,
               const Image& backs) {
    const int bx = (background % 4) * 64;
    const int by = (background / 4) * 64;
    for (int y = 0; y < kPanelHeight; ++y) {
        for (int x = 0; x < kPanelWidth; ++x) {
            target.Set(ox + x, oy + y, backs.At(bx + (x / 2) % 64, by + (y / 2) % 64));
        }
    }
    for (int code = 0; code < 32; ++code) {
        const int dx = ox + (code % 16) * kCell;
        const int dy = oy + (code / 16) * kCell;
        const bool masked = (code >= 16 && code <= 24) || code >= 30;
        if (masked) {
            Masked(target, dx, dy, map, code % 16, 1, 3);
        } else {
            Blit(target, dx, dy, map, (code % 16) * kCell, (code / 16) * kCell, kCell, kCell,
                 Raster::Copy);
        }
        if (code == 28) SampleDigit(target, dx + 13, dy + 20, '3');
        if (code == 29) SampleDigit(target, dx + 13, dy + 12, 'C');
    }
    for (int kind = 0; kind < 16; ++kind)
        Masked(target, ox + kind * kCell, oy + 2 * kCell, map, kind, 2, 4);
    for (int character = 0; character < 3; ++character) {
        for (int column = 0; column < 4; ++column) {
            Masked(target, ox + (character * 4 + column) * kCell, oy + 3 * kCell, player, column,
                   2 * character, 2 * character + 1);
        }
    }
}

Image Scaled(const Image& image, int factor) {
    Image scaled(image.Width() * factor, image.Height() * factor);
    for (int y = 0; y < scaled.Height(); ++y) {
        for (int x = 0; x < scaled.Width(); ++x)
            scaled.Set(x, y, image.At(x / factor, y / factor));
    }
    return scaled;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_gallery SHEETS_DIR OUT_PNG\n";
        return 2;
    }
    const std::string dir = argv[1];
    const std::optional<Image> map = tovek::assets::ReadPng(dir + "/map.png");
    const std::optional<Image> player = tovek::assets::ReadPng(dir + "/player.png");
    const std::optional<Image> backs = tovek::assets::ReadPng(dir + "/backgrounds.png");
    if (!map || !player || !backs) {
        std::cerr << "make_gallery: cannot read the sheets in " << dir << "\n";
        return 1;
    }
    const int count = static_cast<int>(std::size(kBackgrounds));
    Image gallery(2 * kPanelWidth + 3 * kGap, (count / 2) * (kPanelHeight + kGap) + kGap, 0x26222e);
    for (int i = 0; i < count; ++i) {
        DrawPanel(gallery, kGap + (i % 2) * (kPanelWidth + kGap),
                  kGap + (i / 2) * (kPanelHeight + kGap), kBackgrounds[i], *map, *player, *backs);
    }
    if (!tovek::assets::WritePng(Scaled(gallery, kScale), argv[2])) {
        std::cerr << "make_gallery: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
