#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tovek::testing {

// A PNG decoded to 0x00RRGGBB pixels, or width 0 when it cannot be decoded.
struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

DecodedPicture DecodePng(std::span<const unsigned char> png);

}  // namespace tovek::testing
