#include "common/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "tests/common/pixel_helpers.h"

namespace tovek {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;

struct InkBox {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive
    long long darkness = 0;  // sum over pixels of how far they are from the background
    bool Empty() const { return right < 0; }
    int Width() const { return right - left + 1; }
};

InkBox FindInk(const Surface& surface, std::uint32_t background) {
    InkBox box;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            const std::uint32_t pixel = surface.Pixel(x, y);
            if (pixel == background) continue;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
            box.darkness +=
                std::abs(static_cast<int>(pixel & 0xFF) - static_cast<int>(background & 0xFF));
        }
    }
    return box;
}

class TextTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::string error;
        serif_ = TextPainter::Create(FontFace::Serif, &error).release();
        ASSERT_NE(serif_, nullptr) << error;
        sans_ = TextPainter::Create(FontFace::Sans, &error).release();
        ASSERT_NE(sans_, nullptr) << error;
    }
    static void TearDownTestSuite() {
        delete serif_;
        delete sans_;
    }
    static TextPainter& Serif() { return *serif_; }
    static TextPainter& Sans() { return *sans_; }

    static Surface Printed(int width, int height, double x, int y, std::string_view text,
                           TextStyle style, TextPainter& painter = *serif_) {
        Surface surface(width, height, kWhite);
        painter.Print(surface, x, y, text, style);
        return surface;
    }

  private:
    static inline TextPainter* serif_ = nullptr;
    static inline TextPainter* sans_ = nullptr;
};

TEST_F(TextTest, PointsBecomePixelsAt96Dpi) {
    EXPECT_EQ(TextPainter::PixelSize(12), 16);
    EXPECT_EQ(TextPainter::PixelSize(9), 12);
    EXPECT_EQ(TextPainter::PixelSize(36), 48);
    EXPECT_EQ(TextPainter::PixelSize(48), 64);
    EXPECT_EQ(TextPainter::PixelSize(10), 13);  // 13.33
    EXPECT_EQ(TextPainter::PixelSize(11), 15);  // 14.67
    EXPECT_EQ(TextPainter::PixelSize(0), 0);
    EXPECT_EQ(TextPainter::PixelSize(-3), 0);
    EXPECT_EQ(TextPainter::PixelSize(100000), TextPainter::PixelSize(400));
}

TEST_F(TextTest, UsesTheIpaFaces) {
    EXPECT_EQ(Serif().FamilyName(), "IPAMincho");
    EXPECT_EQ(Sans().FamilyName(), "IPAGothic");
}

TEST_F(TextTest, JapaneseTextHasInkInsideItsLine) {
    const TextStyle style{12, false, kBlack};
    const InkBox ink = FindInk(Printed(200, 60, 20, 10, "ステージ選択", style), kWhite);
    ASSERT_FALSE(ink.Empty());
    EXPECT_GT(ink.darkness, 255 * 60);
    // The 12 pt line is 16 px high from its top at y = 10.
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.bottom, 10 + 15);
    EXPECT_GE(ink.bottom - ink.top + 1, 12);
}

TEST_F(TextTest, TwelvePointKanaAreSixteenPixelsWideDigitsEight) {
    const TextStyle style{12, false, kBlack};
    EXPECT_EQ(Serif().Measure("あ", style), 16);
    EXPECT_EQ(Serif().Measure("ステージ", style), 64);
    EXPECT_EQ(Serif().Measure("0", style), 8);
    EXPECT_EQ(Serif().Measure("1234567890", style), 80);
    EXPECT_EQ(Serif().Measure("←→", style), 32);
    EXPECT_EQ(Serif().Measure("", style), 0);
}

TEST_F(TextTest, LinesOfEveryCharacterFitTheirSize) {
    for (int points : {9, 12, 36, 48}) {
        const int line = TextPainter::PixelSize(points);
        const TextStyle style{points, false, kBlack};
        const InkBox ink =
            FindInk(Printed(1200, 200, 0, 50, "日本語のテキストgyÅ|", style), kWhite);
        EXPECT_GE(ink.top, 50) << points;
        EXPECT_LT(ink.bottom, 50 + line) << points;
        EXPECT_GT(ink.bottom - ink.top + 1, line * 3 / 4) << points;
    }
}

TEST_F(TextTest, DigitsSitOnTheBaselineFourteenPixelsDownAtTwelvePoints) {
    const InkBox ink = FindInk(Printed(40, 40, 5, 3, "0", {12, false, kBlack}), kWhite);
    EXPECT_EQ(ink.bottom, 3 + 14 - 1);
}

TEST_F(TextTest, MeasuredWidthMatchesTheInk) {
    for (const char* text : {"ステージ", "ゲームオーバー", "0123", "スコア 12345", "ＡＢＣ"}) {
        for (int points : {12, 36}) {
            const TextStyle style{points, false, kBlack};
            const int width = static_cast<int>(Serif().Measure(text, style));
            const InkBox ink = FindInk(Printed(1000, 100, 100, 10, text, style), kWhite);
            ASSERT_FALSE(ink.Empty()) << text;
            const int bearing = TextPainter::PixelSize(points) / 6 + 1;
            EXPECT_GE(ink.left, 100) << text << " " << points;
            EXPECT_LE(ink.left, 100 + bearing) << text << " " << points;
            EXPECT_LT(ink.right, 100 + width) << text << " " << points;
            EXPECT_GE(ink.right, 100 + width - 1 - bearing) << text << " " << points;
        }
    }
}

TEST_F(TextTest, WidthsAddUp) {
    const TextStyle style{36, true, kBlack};
    EXPECT_EQ(Serif().Measure("ステージ12", style), Serif().Measure("ステ", style) +
                                                        Serif().Measure("ージ1", style) +
                                                        Serif().Measure("2", style));
}

TEST_F(TextTest, FractionalStartRoundsToTheNearestPixelHalvesToEven) {
    const TextStyle style{12, false, kBlack};
    auto at = [&](double x) { return Printed(60, 20, x, 0, "あ1", style); };
    EXPECT_EQ(at(10.4), at(10));
    EXPECT_EQ(at(10.5), at(10));
    EXPECT_EQ(at(11.5), at(12));
    EXPECT_EQ(at(10.6), at(11));
    EXPECT_EQ(at(-0.5), at(0));
    EXPECT_NE(at(10), at(11));
    // Moving by whole pixels moves the ink and nothing else.
    const InkBox a = FindInk(at(10), kWhite);
    const InkBox b = FindInk(at(13), kWhite);
    EXPECT_EQ(b.left - a.left, 3);
    EXPECT_EQ(b.darkness, a.darkness);
}

TEST_F(TextTest, TopOfLineMovesTheTextByWholeRows) {
    const TextStyle style{12, false, kBlack};
    const Surface high = Printed(60, 40, 4, 2, "テスト", style);
    const Surface low = Printed(60, 40, 4, 9, "テスト", style);
    for (int y = 0; y + 7 < 40; ++y) {
        for (int x = 0; x < 60; ++x) {
            ASSERT_EQ(high.Pixel(x, y), low.Pixel(x, y + 7));
        }
    }
}

TEST_F(TextTest, PrintsTransparentlyInTheGivenColour) {
    const TextStyle black{36, false, kBlack};
    const TextStyle red{36, false, 0xFF0000};
    const Surface mask = Printed(200, 60, 3, 4, "赤い字", black);
    const Surface background = testing::Pattern(200, 60, 9);
    Surface surface = background;
    Serif().Print(surface, 3, 4, "赤い字", red);
    int solid = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 200; ++x) {
            const std::uint32_t cover = 255 - (mask.Pixel(x, y) & 0xFF);
            if (cover == 0) {
                ASSERT_EQ(surface.Pixel(x, y), background.Pixel(x, y)) << x << "," << y;
            } else if (cover == 255) {
                ASSERT_EQ(surface.Pixel(x, y), 0xFF0000u) << x << "," << y;
                ++solid;
            } else {
                // Blended: every channel between the background and red.
                const std::uint32_t under = background.Pixel(x, y), over = surface.Pixel(x, y);
                for (int shift : {0, 8, 16}) {
                    const int d = (under >> shift) & 0xFF, o = (over >> shift) & 0xFF;
                    const int s = (0xFF0000 >> shift) & 0xFF;
                    ASSERT_GE(o, std::min(d, s));
                    ASSERT_LE(o, std::max(d, s));
                }
            }
        }
    }
    EXPECT_GT(solid, 50);
}

TEST_F(TextTest, BoldIsWiderAndDarker) {
    for (int points : {12, 36, 48}) {
        const TextStyle regular{points, false, kBlack};
        const TextStyle bold{points, true, kBlack};
        const std::string text = "ゲームオーバー";
        EXPECT_GT(Serif().Measure(text, bold), Serif().Measure(text, regular));
        const InkBox thin = FindInk(Printed(1000, 100, 10, 10, text, regular), kWhite);
        const InkBox thick = FindInk(Printed(1000, 100, 10, 10, text, bold), kWhite);
        EXPECT_GT(thick.darkness, thin.darkness * 5 / 4) << points;
        EXPECT_GT(thick.Width(), thin.Width()) << points;
        EXPECT_GE(thick.left, thin.left) << points;  // bold grows to the right
    }
}

TEST_F(TextTest, SameTextSamePixelsEveryTime) {
    const TextStyle style{12, false, 0x123456};
    const Surface first = Printed(300, 40, 7.25, 5, "ハイスコア 0 ←→ ABC", style);
    // Other sizes and bold in between fill the glyph cache with other entries.
    Printed(300, 40, 0, 0, "ハイスコア", {36, true, 0});
    Printed(300, 40, 0, 0, "ハイスコア", {12, true, 0});
    EXPECT_EQ(Printed(300, 40, 7.25, 5, "ハイスコア 0 ←→ ABC", style), first);
    std::string error;
    auto fresh = TextPainter::Create(FontFace::Serif, &error);
    ASSERT_TRUE(fresh) << error;
    EXPECT_EQ(Printed(300, 40, 7.25, 5, "ハイスコア 0 ←→ ABC", style, *fresh), first);
}

TEST_F(TextTest, ClippedTextEqualsTheVisiblePartOfTheWholeText) {
    const TextStyle style{36, false, kBlack};
    const Surface whole = Printed(400, 100, 50, 20, "クリップ", style);
    for (auto [dx, dy] : {std::pair{-60, -30}, {-100, 0}, {0, -40}, {120, 0}, {0, 50}, {150, 60}}) {
        const Surface part = Printed(100, 40, 50 - dx, 20 - dy, "クリップ", style);
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 100; ++x) {
                const std::uint32_t expected =
                    x + dx >= 0 && x + dx < 400 && y + dy >= 0 && y + dy < 100
                        ? whole.Pixel(x + dx, y + dy)
                        : kWhite;
                ASSERT_EQ(part.Pixel(x, y), expected) << dx << "," << dy << " at " << x << "," << y;
            }
        }
    }
}

TEST_F(TextTest, NothingToPrintDrawsNothing) {
    const Surface blank(100, 40, kWhite);
    EXPECT_EQ(Printed(100, 40, 5, 5, "", {12, false, kBlack}), blank);
    EXPECT_EQ(Printed(100, 40, 5, 5, "あ", {0, false, kBlack}), blank);
    EXPECT_EQ(Printed(100, 40, NAN, 5, "あ", {12, false, kBlack}), blank);
    EXPECT_EQ(Printed(100, 40, INFINITY, 5, "あ", {12, false, kBlack}), blank);
    EXPECT_EQ(Printed(100, 40, -1e300, 5, "あ", {12, false, kBlack}), blank);
    EXPECT_EQ(Printed(100, 40, 5, -2147483647 - 1, "あ", {12, false, kBlack}), blank);
    EXPECT_EQ(Printed(100, 40, 5, 2147483647, "あ", {12, false, kBlack}), blank);
    EXPECT_EQ(Serif().Measure("あ", {-1, false, kBlack}), 0);
}

TEST_F(TextTest, ControlCharactersTakeNoRoom) {
    const TextStyle style{12, false, kBlack};
    EXPECT_EQ(Serif().Measure("A\r\nB\t", style), Serif().Measure("AB", style));
    EXPECT_EQ(Printed(60, 20, 2, 2, "A\nB", style), Printed(60, 20, 2, 2, "AB", style));
}

TEST_F(TextTest, MalformedUtf8PrintsReplacementCharacters) {
    const TextStyle style{12, false, kBlack};
    EXPECT_EQ(Serif().Measure("\xFF\xE3\x81", style), 3 * Serif().Measure("\uFFFD", style));
    EXPECT_EQ(Printed(80, 20, 0, 0, "a\xFF", style), Printed(80, 20, 0, 0, "a\uFFFD", style));
}

TEST_F(TextTest, HugeSizesAreLimited) {
    const TextStyle huge{100000, false, kBlack};
    EXPECT_EQ(Serif().Measure("あ", huge), Serif().Measure("あ", {400, false, kBlack}));
    EXPECT_FALSE(FindInk(Printed(300, 300, 0, 0, "あ", huge), kWhite).Empty());
}

TEST_F(TextTest, SansFaceDrawsJapaneseToo) {
    const TextStyle style{12, false, kBlack};
    EXPECT_EQ(Sans().Measure("スコア", style), 48);
    const Surface sans = Printed(100, 20, 0, 0, "スコア", style, Sans());
    EXPECT_FALSE(FindInk(sans, kWhite).Empty());
    EXPECT_NE(sans, Printed(100, 20, 0, 0, "スコア", style, Serif()));
}

// Centred lines of the title screens.
class PrintCenteredTest : public TextTest {};

TEST_F(PrintCenteredTest, PutsTheTextBoxInTheMiddleRoundingHalvesToEven) {
    for (const char* text : {"ステージ 1", "ステージ 12", "トベック", "0"}) {
        for (int points : {12, 36, 48}) {
            for (int surfaceWidth : {384, 383}) {
                const TextStyle style{points, false, 0xFF0000};
                const double width = Serif().Measure(text, style);
                const InkBox atZero =
                    FindInk(Printed(surfaceWidth, 100, 0, 16, text, style), kWhite);
                Surface centred(surfaceWidth, 100, kWhite);
                PrintCentered(centred, Serif(), text, points, 16, 0xFF0000);
                const InkBox ink = FindInk(centred, kWhite);
                const int left = static_cast<int>(std::nearbyint((surfaceWidth - width) / 2));
                EXPECT_EQ(ink.left - atZero.left, left) << text << " " << points;
                const int right = surfaceWidth - static_cast<int>(width) - left;
                EXPECT_LE(std::abs(left - right), 1) << text << " " << points;
                EXPECT_EQ(ink.top, atZero.top);
            }
        }
    }
}

TEST_F(PrintCenteredTest, KeepsTheFractionOfAnOddRemainder) {
    // 384 - 8 * 3 = 360 even, 383 - 24 = 359 odd: x = 179.5 rounds to 180.
    Surface odd(383, 30, kWhite);
    PrintCentered(odd, Serif(), "123", 12, 0, kBlack);
    EXPECT_EQ(odd, Printed(383, 30, 180, 0, "123", {12, false, kBlack}));
    // 385 - 24 = 361: x = 180.5 rounds to 180.
    Surface odd2(385, 30, kWhite);
    PrintCentered(odd2, Serif(), "123", 12, 0, kBlack);
    EXPECT_EQ(odd2, Printed(385, 30, 180, 0, "123", {12, false, kBlack}));
}

TEST_F(PrintCenteredTest, TextWiderThanTheSurfaceLosesTheSameOnBothSides) {
    const std::string text = "ステージをクリアしました";  // 12 kana at 48 pt: 768 px
    const TextStyle style{48, true, 0x0000FF};
    const int width = static_cast<int>(Serif().Measure(text, style));
    ASSERT_GT(width, 384);
    const Surface whole = Printed(width, 100, 0, 10, text, style);
    Surface cut(384, 100, kWhite);
    PrintCentered(cut, Serif(), text, 48, 10, 0x0000FF, true);
    const int offset = static_cast<int>(std::nearbyint((width - 384) / 2.0));
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 384; ++x) {
            ASSERT_EQ(cut.Pixel(x, y), whole.Pixel(x + offset, y));
        }
    }
    EXPECT_LE(std::abs(offset - (width - 384 - offset)), 1);
}

TEST_F(PrintCenteredTest, SansPainterCentresToo) {
    Surface surface(100, 20, kWhite);
    PrintCentered(surface, Sans(), "ミス", 12, 0, kBlack);
    EXPECT_EQ(surface, Printed(100, 20, 34, 0, "ミス", {12, false, kBlack}, Sans()));
}

}  // namespace
}  // namespace tovek
