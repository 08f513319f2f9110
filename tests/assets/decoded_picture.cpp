#include "tests/assets/decoded_picture.h"

#include <stb_image.h>

namespace tovek::testing {

DecodedPicture DecodePng(std::span<const unsigned char> png) {
    DecodedPicture picture;
    int channels = 0;
    unsigned char* data = stbi_load_from_memory(png.data(), static_cast<int>(png.size()),
                                                &picture.width, &picture.height, &channels, 3);
    if (data == nullptr) return {};
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        picture.pixels[i] = static_cast<std::uint32_t>(data[3 * i]) << 16 |
                            static_cast<std::uint32_t>(data[3 * i + 1]) << 8 | data[3 * i + 2];
    }
    stbi_image_free(data);
    return picture;
}

}  // namespace tovek::testing
