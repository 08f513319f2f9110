#include "common/png_image.h"

#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>
#include <climits>
#include <memory>

#include "common/file_access.h"

namespace tovek {
namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct StbiDeleter {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

void AppendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

std::optional<Surface> DecodePng(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < sizeof kPngSignature || bytes.size() > INT_MAX ||
        !std::equal(std::begin(kPngSignature), std::end(kPngSignature), bytes.begin())) {
        return std::nullopt;
    }
    const int length = static_cast<int>(bytes.size());
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(bytes.data(), length, &width, &height, &channels) || width <= 0 ||
        height <= 0 || static_cast<long long>(width) * height > kMaxPngPixels) {
        return std::nullopt;
    }
    std::unique_ptr<stbi_uc, StbiDeleter> pixels(
        stbi_load_from_memory(bytes.data(), length, &width, &height, &channels, 3));
    if (!pixels) return std::nullopt;
    Surface surface(width, height);
    const stbi_uc* in = pixels.get();
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = surface.Row(y);
        for (int x = 0; x < width; ++x, in += 3) {
            row[x] = static_cast<std::uint32_t>(in[0]) << 16 |
                     static_cast<std::uint32_t>(in[1]) << 8 | in[2];
        }
    }
    return surface;
}

std::vector<std::uint8_t> EncodePng(const Surface& surface) {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(surface.Pixels().size() * 3);
    for (std::uint32_t pixel : surface.Pixels()) {
        rgb.push_back(static_cast<std::uint8_t>(pixel >> 16));
        rgb.push_back(static_cast<std::uint8_t>(pixel >> 8));
        rgb.push_back(static_cast<std::uint8_t>(pixel));
    }
    std::vector<std::uint8_t> png;
    if (surface.Width() == 0 || surface.Height() == 0) return png;
    stbi_write_png_to_func(AppendBytes, &png, surface.Width(), surface.Height(), 3, rgb.data(),
                           surface.Width() * 3);
    return png;
}

std::error_code WritePng(const std::filesystem::path& path, const Surface& surface,
                         FileFaults* faults) {
    const std::vector<std::uint8_t> png = EncodePng(surface);
    if (png.empty()) return std::make_error_code(std::errc::invalid_argument);
    return ReplaceFileAtomically(path, png, faults);
}

}  // namespace tovek
