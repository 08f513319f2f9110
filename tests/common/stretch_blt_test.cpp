#include <gtest/gtest.h>

#include "common/random_source.h"
#include "common/surface.h"
#include "tests/common/pixel_helpers.h"

namespace tovek {
namespace {

using testing::Pattern;
using testing::ReferenceStretch;

constexpr RasterOp kOps[] = {RasterOp::SrcCopy, RasterOp::SrcAnd, RasterOp::SrcPaint};

// Expects dst to equal before except inside the 32 x 32 block at (x, y),
// where it must hold cell(i, j) for block pixel (i, j).
template <typename Cell>
void ExpectBlock(const Surface& dst, const Surface& before, int x, int y, Cell cell) {
    for (int py = 0; py < dst.Height(); ++py) {
        for (int px = 0; px < dst.Width(); ++px) {
            const int i = px - x, j = py - y;
            const bool inside = i >= 0 && i < 32 && j >= 0 && j < 32;
            ASSERT_EQ(dst.Pixel(px, py), inside ? cell(i, j) : before.Pixel(px, py))
                << px << "," << py;
        }
    }
}

TEST(StretchBltMirror, NegativeSourceWidthFromTheLastColumnMirrorsTheCell) {
    const Surface sheet = Pattern(128, 96, 1);
    const Surface before = Pattern(60, 50, 2);
    Surface dst = before;
    StretchBlt(dst, 10, 5, 32, 32, sheet, 64 + 31, 32, -32, 32, RasterOp::SrcCopy);
    ExpectBlock(dst, before, 10, 5, [&](int i, int j) { return sheet.Pixel(64 + 31 - i, 32 + j); });
}

TEST(StretchBltMirror, NegativeSourceHeightFromTheLastLineTurnsTheCellUpsideDown) {
    const Surface sheet = Pattern(128, 96, 3);
    const Surface before = Pattern(60, 50, 4);
    Surface dst = before;
    StretchBlt(dst, 7, 11, 32, 32, sheet, 32, 64 + 31, 32, -32, RasterOp::SrcCopy);
    ExpectBlock(dst, before, 7, 11, [&](int i, int j) { return sheet.Pixel(32 + i, 64 + 31 - j); });
}

TEST(StretchBltMirror, BothNegativeTurnsTheCellHalfARound) {
    const Surface sheet = Pattern(128, 96, 5);
    const Surface before = Pattern(60, 50, 6);
    Surface dst = before;
    StretchBlt(dst, 3, 2, 32, 32, sheet, 96 + 31, 31, -32, -32, RasterOp::SrcCopy);
    ExpectBlock(dst, before, 3, 2, [&](int i, int j) { return sheet.Pixel(96 + 31 - i, 31 - j); });
}

TEST(StretchBltMirror, NegativeDestinationWidthFromTheLastColumnMirrorsToo) {
    const Surface sheet = Pattern(128, 96, 7);
    const Surface before = Pattern(60, 50, 8);
    Surface dst = before;
    StretchBlt(dst, 20 + 31, 9, -32, 32, sheet, 32, 64, 32, 32, RasterOp::SrcCopy);
    ExpectBlock(dst, before, 20, 9, [&](int i, int j) { return sheet.Pixel(32 + 31 - i, 64 + j); });
}

TEST(StretchBltMirror, NegativeExtentsOnBothSidesCancel) {
    const Surface sheet = Pattern(64, 64, 9);
    const Surface before = Pattern(60, 50, 10);
    Surface dst = before;
    StretchBlt(dst, 12 + 31, 4 + 31, -32, -32, sheet, 16 + 31, 8 + 31, -32, -32, RasterOp::SrcCopy);
    ExpectBlock(dst, before, 12, 4, [&](int i, int j) { return sheet.Pixel(16 + i, 8 + j); });
}

TEST(StretchBltMirror, MaskedPairMirroredKeepsTheBackgroundOutsideTheMask) {
    const Surface picture = Pattern(32, 32, 11);
    auto solid = [](int x, int y) { return x < 20 && y > x / 2; };  // lopsided on purpose
    const Surface sheet = testing::MaskedCellSheet(picture, solid);
    const Surface before = Pattern(50, 50, 12);
    Surface dst = before;
    StretchBlt(dst, 9, 13, 32, 32, sheet, 31, 0, -32, 32, RasterOp::SrcAnd);
    StretchBlt(dst, 9, 13, 32, 32, sheet, 32 + 31, 0, -32, 32, RasterOp::SrcPaint);
    ExpectBlock(dst, before, 9, 13, [&](int i, int j) {
        return solid(31 - i, j) ? picture.Pixel(31 - i, j) : before.Pixel(9 + i, 13 + j);
    });
}

TEST(StretchBltMirror, MirroringCellsInPlaceTwiceRestoresThem) {
    const Surface original = Pattern(512, 160, 13);
    Surface sheet = original;
    for (int c = 0; c < 16; ++c) {
        StretchBlt(sheet, c * 32, 64, 32, 32, sheet, c * 32 + 31, 64, -32, 32, RasterOp::SrcCopy);
    }
    for (int y = 0; y < 160; ++y) {
        for (int x = 0; x < 512; ++x) {
            const bool row2 = y >= 64 && y < 96;
            const int mirroredX = (x / 32) * 32 + 31 - x % 32;
            ASSERT_EQ(sheet.Pixel(x, y), original.Pixel(row2 ? mirroredX : x, y)) << x << "," << y;
        }
    }
    for (int c = 0; c < 16; ++c) {
        StretchBlt(sheet, c * 32, 64, 32, 32, sheet, c * 32 + 31, 64, -32, 32, RasterOp::SrcCopy);
    }
    EXPECT_EQ(sheet, original);
}

TEST(StretchBltScale, DoublingRepeatsEveryPixelTwiceEachWay) {
    const Surface sheet = Pattern(256, 256, 14);
    for (RasterOp op : kOps) {
        const Surface before = Pattern(384, 256, 15);
        Surface dst = before;
        StretchBlt(dst, 100, 50, 128, 128, sheet, 64, 128, 64, 64, op);
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 384; ++x) {
                const bool inside = x >= 100 && x < 228 && y >= 50 && y < 178;
                const std::uint32_t expected =
                    inside ? testing::Apply(op, before.Pixel(x, y),
                                            sheet.Pixel(64 + (x - 100) / 2, 128 + (y - 50) / 2))
                           : before.Pixel(x, y);
                ASSERT_EQ(dst.Pixel(x, y), expected) << x << "," << y;
            }
        }
    }
}

// The game's background copies start at odd and negative places.
TEST(StretchBltScale, DoublingClippedAtOddAndNegativePlacesMatchesTheRule) {
    const Surface sheet = Pattern(256, 256, 16);
    for (int x : {-127, -63, -1, 0, 1, 255, 257, 383}) {
        for (int y : {-127, -3, 0, 129, 255}) {
            Surface actual = Pattern(384, 256, 17);
            Surface expected = actual;
            StretchBlt(actual, x, y, 128, 128, sheet, 192, 64, 64, 64, RasterOp::SrcCopy);
            ReferenceStretch(expected, x, y, 128, 128, sheet, 192, 64, 64, 64, RasterOp::SrcCopy);
            ASSERT_EQ(actual, expected) << x << "," << y;
        }
    }
}

TEST(StretchBltScale, TripleRepeatsEveryPixelThreeTimes) {
    const Surface src = Pattern(10, 7, 18);
    Surface dst(30, 21);
    StretchBlt(dst, 0, 0, 30, 21, src, 0, 0, 10, 7, RasterOp::SrcCopy);
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 30; ++x) {
            ASSERT_EQ(dst.Pixel(x, y), src.Pixel(x / 3, y / 3));
        }
    }
}

// The editor shows the 256 x 256 background sheet at 112 x 112.
TEST(StretchBltScale, ShrinkingTheBackgroundSheetReadsTheCentresOfItsPixels) {
    const Surface sheet = Pattern(256, 256, 19);
    Surface actual(112, 112);
    StretchBlt(actual, 0, 0, 112, 112, sheet, 0, 0, 256, 256, RasterOp::SrcCopy);
    for (int y = 0; y < 112; ++y) {
        for (int x = 0; x < 112; ++x) {
            const int sx = (2 * x + 1) * 256 / 224;
            const int sy = (2 * y + 1) * 256 / 224;
            ASSERT_EQ(actual.Pixel(x, y), sheet.Pixel(sx, sy)) << x << "," << y;
        }
    }
    EXPECT_EQ(actual.Pixel(0, 0), sheet.Pixel(1, 1));
    EXPECT_EQ(actual.Pixel(111, 111), sheet.Pixel(254, 254));
}

// A maximised window shows the 384 x 256 view at its client size.
TEST(StretchBltScale, ViewStretchedToWindowSizesMatchesTheRule) {
    const Surface view = Pattern(384, 256, 20);
    for (auto [w, h] : {std::pair{1024, 668}, {1366, 736}, {385, 257}, {200, 100}, {767, 511}}) {
        Surface actual(w, h);
        Surface expected(w, h);
        StretchBlt(actual, 0, 0, w, h, view, 0, 0, 384, 256, RasterOp::SrcCopy);
        ReferenceStretch(expected, 0, 0, w, h, view, 0, 0, 384, 256, RasterOp::SrcCopy);
        ASSERT_EQ(actual, expected) << w << "x" << h;
    }
}

// Random extents of both signs and places in [-range/4, range), each stretch
// checked against the pixel-by-pixel rule; within one surface when src is null.
void CheckRandomStretches(std::uint64_t seed, int rounds, int range, const Surface* src) {
    RandomSource random(seed);
    for (int round = 0; round < rounds; ++round) {
        const RasterOp op = kOps[random.Below(3)];
        auto extent = [&] {
            const int e = random.Below(range + 1) - range / 2;
            return e == 0 ? -1 : e;
        };
        auto place = [&] { return random.Below(range + range / 4) - range / 4; };
        const int w = extent(), h = extent(), sw = extent(), sh = extent();
        const int x = place(), y = place(), sx = place(), sy = place();
        Surface actual = Pattern(29, 25, 22);
        Surface expected = actual;
        StretchBlt(actual, x, y, w, h, src ? *src : actual, sx, sy, sw, sh, op);
        ReferenceStretch(expected, x, y, w, h, src ? *src : expected, sx, sy, sw, sh, op);
        ASSERT_EQ(actual, expected) << "dst " << x << "," << y << " " << w << "x" << h << " src "
                                    << sx << "," << sy << " " << sw << "x" << sh;
    }
}

TEST(StretchBltScale, RandomStretchesMirrorsAndClipsMatchTheRule) {
    const Surface src = Pattern(23, 19, 21);
    CheckRandomStretches(2024, 3000, 60, &src);
}

TEST(StretchBltMirror, RandomSameSizeMirrorsAndClipsMatchTheRule) {
    const Surface src = Pattern(23, 19, 21);
    RandomSource random(99);
    for (int round = 0; round < 2000; ++round) {
        const RasterOp op = kOps[random.Below(3)];
        const int w = 1 + random.Below(40);
        const int h = 1 + random.Below(40);
        const int sw = random.Below(2) == 0 ? -w : w;
        const int sh = random.Below(2) == 0 ? -h : h;
        const int x = random.Below(60) - 20, y = random.Below(60) - 20;
        const int sx = random.Below(60) - 20, sy = random.Below(60) - 20;
        Surface actual = Pattern(29, 25, 22);
        Surface expected = actual;
        StretchBlt(actual, x, y, w, h, src, sx, sy, sw, sh, op);
        ReferenceStretch(expected, x, y, w, h, src, sx, sy, sw, sh, op);
        ASSERT_EQ(actual, expected) << "dst " << x << "," << y << " " << w << "x" << h << " src "
                                    << sx << "," << sy << " " << sw << "x" << sh;
    }
}

TEST(StretchBltScale, RandomStretchesWithinOneSurfaceReadBeforeWriting) {
    CheckRandomStretches(77, 1500, 40, nullptr);
}

TEST(StretchBltEdge, ZeroExtentsAndUnknownOpsChangeNothing) {
    const Surface src = Pattern(8, 8, 24);
    const Surface before = Pattern(8, 8, 25);
    Surface dst = before;
    StretchBlt(dst, 0, 0, 0, 8, src, 0, 0, 8, 8, RasterOp::SrcCopy);
    StretchBlt(dst, 0, 0, 8, 0, src, 0, 0, 8, 8, RasterOp::SrcCopy);
    StretchBlt(dst, 0, 0, 8, 8, src, 0, 0, 0, 8, RasterOp::SrcCopy);
    StretchBlt(dst, 0, 0, 8, 8, src, 0, 0, 8, 0, RasterOp::SrcCopy);
    StretchBlt(dst, 0, 0, 8, 8, src, 0, 0, 4, 4, static_cast<RasterOp>(0x00CC0021));
    StretchBlt(dst, 0, 0, 8, 8, Surface(), 0, 0, 4, 4, RasterOp::SrcCopy);
    EXPECT_EQ(dst, before);
}

TEST(StretchBltEdge, ExtremeExtentsStayInsideBothSurfaces) {
    const Surface src = Pattern(8, 8, 26);
    const Surface before = Pattern(8, 8, 27);
    Surface dst = before;
    const int most = 2147483647, least = -2147483647 - 1;
    StretchBlt(dst, 0, 0, most, most, src, 0, 0, least, least, RasterOp::SrcCopy);
    // Only the first step reads source pixel 0; the next one already lies left of it.
    Surface expected = before;
    expected.SetPixel(0, 0, src.Pixel(0, 0));
    EXPECT_EQ(dst, expected);

    dst = before;
    StretchBlt(dst, least, least, most, most, src, most, most, most, most, RasterOp::SrcCopy);
    StretchBlt(dst, most, most, least, least, src, 0, 0, 1, 1, RasterOp::SrcCopy);
    EXPECT_EQ(dst.Pixel(7, 7), src.Pixel(0, 0));  // one source pixel covers everything
    EXPECT_EQ(dst.Pixel(0, 0), src.Pixel(0, 0));
}

}  // namespace
}  // namespace tovek
