#include "game/sdl/pause_screen.h"

namespace tovek {
namespace {

constexpr int kBannerPoints = 36;
constexpr std::uint32_t kBannerColour = 0xFFFFFF;

}  // namespace

Surface PausedPicture(const Surface& frame, TextPainter& serif) {
    Surface picture = frame;
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint32_t* row = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x)
            row[x] = (row[x] >> 1) & 0x7F7F7F;  // every channel at half
    }
    const int top = (picture.Height() - TextPainter::PixelSize(kBannerPoints)) / 2;
    PrintCentered(picture, serif, "ポーズ", kBannerPoints, top, kBannerColour, true);
    return picture;
}

}  // namespace tovek
