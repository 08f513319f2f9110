#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/font_lookup.h"
#include "common/surface.h"

namespace tovek {

struct TextStyle {
    int points = 12;  // at 96 dots per inch: 12 pt = 16 px
    bool bold = false;
    std::uint32_t colour = 0;  // 0x00RRGGBB
};

// Anti-aliased text in one Japanese face, drawn into Surfaces.
//
// Geometry, for a size of p points: the em and the line are
// PixelSize(p) = round(p * 96 / 72) pixels high; the baseline lies
// round(em * ascender / (ascender - descender)) pixels below the top of the
// line (14 of 16 px for IPA Mincho at 12 pt). Glyphs advance by their hinted
// whole-pixel widths; the start x is rounded to the nearest pixel, halves to
// even. Bold thickens every outline by about em / 24 pixels (at least one)
// and widens its advance by the same whole number of pixels. Control
// characters draw nothing and take no room. The same text, style and place
// always give the same pixels.
class TextPainter {
  public:
    // nullptr and a message naming the Debian package when no Japanese font
    // is found or it cannot be loaded.
    static std::unique_ptr<TextPainter> Create(FontFace face, std::string* error);
    ~TextPainter();
    TextPainter(const TextPainter&) = delete;
    TextPainter& operator=(const TextPainter&) = delete;

    // Sizes are limited to 1..400 points; at 0 or less nothing is drawn.
    static int PixelSize(int points);

    const std::string& FamilyName() const;

    // Width in pixels of the printed text.
    double Measure(std::string_view utf8, const TextStyle& style);

    // Prints one line with its top at y and its pen starting at x, blending
    // each glyph over what is there (transparent background); clipped.
    void Print(Surface& surface, double x, int y, std::string_view utf8, const TextStyle& style);

  private:
    struct Impl;
    explicit TextPainter(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

// One line centred across the surface at x = (surface width - text width) / 2,
// kept fractional; a text wider than the surface loses the same amount on
// both sides.
void PrintCentered(Surface& surface, TextPainter& painter, std::string_view text, int points, int y,
                   std::uint32_t colour, bool bold = false);

}  // namespace tovek
