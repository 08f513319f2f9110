#include "common/surface.h"

#include <algorithm>

namespace tovek {

Surface::Surface(int width, int height, std::uint32_t colour)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, colour & kColourBits) {}

std::uint32_t Surface::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return Row(y)[x];
}

void Surface::SetPixel(int x, int y, std::uint32_t colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    Row(y)[x] = colour & kColourBits;
}

void Surface::Clear(std::uint32_t colour) {
    std::fill(pixels_.begin(), pixels_.end(), colour & kColourBits);
}

void Surface::FillRect(int x, int y, int w, int h, std::uint32_t colour) {
    if (w <= 0 || h <= 0) return;
    // 64-bit ends so that extreme arguments cannot overflow.
    const long long left = std::max<long long>(x, 0);
    const long long top = std::max<long long>(y, 0);
    const long long right = std::min<long long>(static_cast<long long>(x) + w, width_);
    const long long bottom = std::min<long long>(static_cast<long long>(y) + h, height_);
    if (left >= right || top >= bottom) return;
    for (long long row = top; row < bottom; ++row) {
        std::uint32_t* line = Row(static_cast<int>(row));
        std::fill(line + left, line + right, colour & kColourBits);
    }
}

}  // namespace tovek
