#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tovek::assets {

// 0x00RRGGBB, the colour format of the game's drawing surfaces.
using Rgb = std::uint32_t;

inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kWhite = 0xFFFFFF;

// A plain RGB picture for building sheets; pixels outside it are ignored on
// writing and read as black.
class Image {
  public:
    Image(int width, int height, Rgb fill = kBlack);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb At(int x, int y) const;
    void Set(int x, int y, Rgb colour);

    // Copies the w x h area of `source` at (sx, sy) to (dx, dy).
    void CopyFrom(const Image& source, int sx, int sy, int w, int h, int dx, int dy);
    Image MirroredLeftRight() const;
    // Every pixel becomes a `factor` x `factor` square, so pixel art stays sharp.
    Image ScaledUp(int factor) const;

  private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

// Deterministic PNG output (stb's encoder at a fixed level): the same picture
// always gives the same bytes, so regenerated sheets compare equal.
bool WritePng(const Image& image, const std::string& path);
// The same with an alpha channel: black, the colour pixel art reserves for
// transparency, is written fully transparent and every other colour opaque.
bool WriteTransparentPng(const Image& image, const std::string& path);
std::optional<Image> ReadPng(const std::string& path);

}  // namespace tovek::assets
