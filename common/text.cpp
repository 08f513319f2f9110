#include "common/text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_OUTLINE_H
#include FT_MODULE_H

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "common/utf8.h"

namespace tovek {
namespace {

constexpr int kMaxPoints = 400;
// Enough for every text the programs show at all their sizes; a flood of
// different characters only empties the cache, it never grows without end.
constexpr std::size_t kMaxCachedGlyphs = 4096;

struct Glyph {
    int left = 0;  // from the pen to the bitmap's first column
    int top = 0;   // from the baseline up to the bitmap's first row
    int width = 0;
    int rows = 0;
    int advance = 0;
    std::vector<std::uint8_t> coverage;  // width x rows, 0..255
};

std::uint64_t GlyphKey(char32_t codePoint, int pixelSize, bool bold) {
    return (static_cast<std::uint64_t>(codePoint) << 32) |
           (static_cast<std::uint64_t>(pixelSize) << 1) | (bold ? 1u : 0u);
}

bool IsControl(char32_t codePoint) {
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0);
}

// Extra width in whole pixels of a bold glyph.
int BoldStrength(int pixelSize) {
    return std::max(1, (pixelSize + 12) / 24);
}

// colour laid over under with coverage alpha (0..255), each channel rounded.
std::uint32_t Blend(std::uint32_t under, std::uint32_t colour, unsigned alpha) {
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const unsigned d = (under >> shift) & 0xFF;
        const unsigned s = (colour >> shift) & 0xFF;
        result |= ((s * alpha + d * (255 - alpha) + 127) / 255) << shift;
    }
    return result;
}

void DrawGlyph(Surface& surface, long long left, long long top, const Glyph& glyph,
               std::uint32_t colour) {
    const long long firstRow = std::max(0LL, -top);
    const long long lastRow = std::min<long long>(glyph.rows, surface.Height() - top);
    const long long firstColumn = std::max(0LL, -left);
    const long long lastColumn = std::min<long long>(glyph.width, surface.Width() - left);
    for (long long row = firstRow; row < lastRow; ++row) {
        std::uint32_t* line = surface.Row(static_cast<int>(top + row)) + left;
        const std::uint8_t* cover = glyph.coverage.data() + row * glyph.width;
        for (long long column = firstColumn; column < lastColumn; ++column) {
            const unsigned alpha = cover[column];
            if (alpha == 255) {
                line[column] = colour;
            } else if (alpha != 0) {
                line[column] = Blend(line[column], colour, alpha);
            }
        }
    }
}

}  // namespace

struct TextPainter::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::string family;
    int sizeSet = 0;
    std::unordered_map<std::uint64_t, Glyph> glyphs;

    ~Impl() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }

    int Ascent(int pixelSize) const {
        const long long ascender = face->ascender;
        const long long total = ascender - face->descender;
        if (ascender <= 0 || total <= 0) return pixelSize;
        return static_cast<int>((2 * pixelSize * ascender + total) / (2 * total));
    }

    const Glyph& GlyphFor(char32_t codePoint, int pixelSize, bool bold) {
        const std::uint64_t key = GlyphKey(codePoint, pixelSize, bold);
        if (auto found = glyphs.find(key); found != glyphs.end()) return found->second;
        if (glyphs.size() >= kMaxCachedGlyphs) glyphs.clear();
        return glyphs.emplace(key, Render(codePoint, pixelSize, bold)).first->second;
    }

    Glyph Render(char32_t codePoint, int pixelSize, bool bold) {
        Glyph glyph;
        if (sizeSet != pixelSize) {
            if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) return glyph;
            sizeSet = pixelSize;
        }
        const FT_UInt index = FT_Get_Char_Index(face, codePoint);
        if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) return glyph;
        FT_GlyphSlot slot = face->glyph;
        if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return glyph;
        int extra = 0;
        if (bold) {
            // Thicker strokes, mostly sideways; the left edge stays where it was.
            extra = BoldStrength(pixelSize);
            FT_Outline_EmboldenXY(&slot->outline, extra * 64, extra * 32);
            FT_Outline_Translate(&slot->outline, extra * 32, 0);
        }
        glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6) + extra;
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.width = static_cast<int>(bitmap.width);
        glyph.rows = static_cast<int>(bitmap.rows);
        glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * glyph.rows);
        for (int row = 0; row < glyph.rows; ++row) {
            const unsigned char* source =
                bitmap.pitch >= 0 ? bitmap.buffer + row * bitmap.pitch
                                  : bitmap.buffer + (glyph.rows - 1 - row) * -bitmap.pitch;
            std::copy(source, source + glyph.width,
                      glyph.coverage.begin() + static_cast<std::ptrdiff_t>(row) * glyph.width);
        }
        return glyph;
    }
};

TextPainter::TextPainter(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
TextPainter::~TextPainter() = default;

std::unique_ptr<TextPainter> TextPainter::Create(FontFace face, std::string* error) {
    const std::optional<FontFile> file = FindJapaneseFont(face, error);
    if (!file) return nullptr;
    auto impl = std::make_unique<Impl>();
    impl->family = file->family;
    if (FT_Init_FreeType(&impl->library) != 0) {
        impl->library = nullptr;
        if (error) *error = "The FreeType library could not be started.";
        return nullptr;
    }
    // The same hinting whatever FREETYPE_PROPERTIES says, so text looks the same everywhere.
    FT_UInt interpreter = TT_INTERPRETER_VERSION_40;
    FT_Property_Set(impl->library, "truetype", "interpreter-version", &interpreter);
    if (FT_New_Face(impl->library, file->path.c_str(), file->index, &impl->face) != 0) {
        impl->face = nullptr;
        if (error) {
            *error = "The font file " + file->path +
                     " could not be read. Reinstall its Debian package (" + FontPackage(face) +
                     ").";
        }
        return nullptr;
    }
    return std::unique_ptr<TextPainter>(new TextPainter(std::move(impl)));
}

int TextPainter::PixelSize(int points) {
    if (points <= 0) return 0;
    return (std::min(points, kMaxPoints) * 4 + 1) /
           3;  // never a half: p * 4 / 3 ends in 0, 1/3, 2/3
}

const std::string& TextPainter::FamilyName() const {
    return impl_->family;
}

double TextPainter::Measure(std::string_view utf8, const TextStyle& style) {
    const int pixelSize = PixelSize(style.points);
    if (pixelSize == 0) return 0;
    long long width = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t codePoint = NextCodePoint(utf8, pos);
        if (!IsControl(codePoint))
            width += impl_->GlyphFor(codePoint, pixelSize, style.bold).advance;
    }
    return static_cast<double>(width);
}

void TextPainter::Print(Surface& surface, double x, int y, std::string_view utf8,
                        const TextStyle& style) {
    const int pixelSize = PixelSize(style.points);
    if (pixelSize == 0 || !std::isfinite(x)) return;
    // Far outside is as good as infinitely far; the clamp keeps the pen in range.
    long long pen = static_cast<long long>(std::nearbyint(std::clamp(x, -1e12, 1e12)));
    const long long baseline = static_cast<long long>(y) + impl_->Ascent(pixelSize);
    const std::uint32_t colour = style.colour & kColourBits;
    for (std::size_t pos = 0; pos < utf8.size() && pen < surface.Width() + pixelSize;) {
        const char32_t codePoint = NextCodePoint(utf8, pos);
        if (IsControl(codePoint)) continue;
        const Glyph& glyph = impl_->GlyphFor(codePoint, pixelSize, style.bold);
        DrawGlyph(surface, pen + glyph.left, baseline - glyph.top, glyph, colour);
        pen += glyph.advance;
    }
}

void PrintCentered(Surface& surface, TextPainter& painter, std::string_view text, int points, int y,
                   std::uint32_t colour, bool bold) {
    const TextStyle style{points, bold, colour};
    const double x = (surface.Width() - painter.Measure(text, style)) / 2;
    painter.Print(surface, x, y, text, style);
}

}  // namespace tovek
