#include "assets/generators/image.h"

#include <stb_image.h>
#include <stb_image_write.h>

namespace tovek::assets {

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

Rgb Image::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kBlack;
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Image::Set(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * width_ + x] = colour & 0xFFFFFF;
}

void Image::CopyFrom(const Image& source, int sx, int sy, int w, int h, int dx, int dy) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            Set(dx + x, dy + y, source.At(sx + x, sy + y));
    }
}

Image Image::MirroredLeftRight() const {
    Image mirrored(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x)
            mirrored.Set(width_ - 1 - x, y, At(x, y));
    }
    return mirrored;
}

Image Image::ScaledUp(int factor) const {
    Image scaled(width_ * factor, height_ * factor);
    for (int y = 0; y < scaled.height_; ++y) {
        for (int x = 0; x < scaled.width_; ++x)
            scaled.Set(x, y, At(x / factor, y / factor));
    }
    return scaled;
}

namespace {

bool WritePngChannels(const Image& image, const std::string& path, bool blackIsTransparent) {
    const int channels = blackIsTransparent ? 4 : 3;
    std::vector<unsigned char> bytes;
    bytes.reserve(static_cast<std::size_t>(image.Width()) * image.Height() * channels);
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb colour = image.At(x, y);
            bytes.push_back(static_cast<unsigned char>(colour >> 16));
            bytes.push_back(static_cast<unsigned char>(colour >> 8));
            bytes.push_back(static_cast<unsigned char>(colour));
            if (blackIsTransparent) bytes.push_back(colour == kBlack ? 0 : 255);
        }
    }
    stbi_write_png_compression_level = 9;
    return stbi_write_png(path.c_str(), image.Width(), image.Height(), channels, bytes.data(),
                          image.Width() * channels) != 0;
}

}  // namespace

bool WritePng(const Image& image, const std::string& path) {
    return WritePngChannels(image, path, false);
}

bool WriteTransparentPng(const Image& image, const std::string& path) {
    return WritePngChannels(image, path, true);
}

std::optional<Image> ReadPng(const std::string& path) {
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &width, &height, &channels, 3);
    if (data == nullptr) return std::nullopt;
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = data + (static_cast<std::size_t>(y) * width + x) * 3;
            image.Set(x, y, static_cast<Rgb>(p[0]) << 16 | static_cast<Rgb>(p[1]) << 8 | p[2]);
        }
    }
    stbi_image_free(data);
    return image;
}

}  // namespace tovek::assets
