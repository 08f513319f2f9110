#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tovek {

// Colours are 0x00RRGGBB; the top byte of every pixel stays zero.
inline constexpr std::uint32_t kColourBits = 0x00FFFFFF;

// An image of 32-bit 0x00RRGGBB pixels, rows top to bottom, no padding.
// Everything the programs show is drawn into one of these.
class Surface {
  public:
    Surface() = default;
    // A negative width or height counts as zero.
    Surface(int width, int height, std::uint32_t colour = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }

    // 0 outside the surface.
    std::uint32_t Pixel(int x, int y) const;
    // Ignored outside the surface.
    void SetPixel(int x, int y, std::uint32_t colour);

    // Row y (0 <= y < Height()); writers through it keep the top byte zero.
    std::uint32_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const std::uint32_t* Row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * width_;
    }
    std::span<const std::uint32_t> Pixels() const { return pixels_; }

    void Clear(std::uint32_t colour);
    // Clipped to the surface; nothing for a zero or negative extent.
    void FillRect(int x, int y, int w, int h, std::uint32_t colour);

    bool operator==(const Surface&) const = default;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// The three raster operations of the drawing calls, with their usual codes.
enum class RasterOp : std::uint32_t {
    SrcCopy = 0x00CC0020,   // destination := source
    SrcAnd = 0x008800C6,    // destination := destination AND source
    SrcPaint = 0x00EE0086,  // destination := destination OR source
};

// Copies the w x h block at (sx, sy) of src onto (x, y) of dst with op.
// A pixel is written only when both its destination and its source lie
// inside their surfaces; the others stay untouched. A zero or negative
// extent draws nothing. src may be dst, overlapping or not: every source
// pixel is read before any is written.
void BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
            RasterOp op);

// Scales the source block onto the destination block, nearest pixel.
//
// Each extent may be negative, which runs that axis backwards from its
// starting pixel: a width of -32 from x covers x, x-1, ..., x-31. So a source
// started at a cell's last column with width -32 (or a destination started at
// its last column with width -32) yields the exact left-right mirror of the
// cell; negative heights turn it upside down. Opposite signs on source and
// destination mirror; equal signs do not.
//
// Sampling: destination step i (0 <= i < |w|) reads source step
// floor((2i + 1) * |sw| / (2 * |w|)), the source pixel under the centre of the
// destination pixel; rows likewise. Integer enlargements repeat every pixel
// exactly; equal extents copy 1:1.
//
// Clipping, zero extents and src == dst behave as in BitBlt.
void StretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh, RasterOp op);

}  // namespace tovek
