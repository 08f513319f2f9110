#include <gtest/gtest.h>

#include "common/surface.h"
#include "tests/common/pixel_helpers.h"

namespace tovek {
namespace {

using testing::Apply;
using testing::Pattern;
using testing::ReferenceStretch;

constexpr RasterOp kOps[] = {RasterOp::SrcCopy, RasterOp::SrcAnd, RasterOp::SrcPaint};

TEST(BitBlt, RasterOpsUseTheirUsualCodes) {
    EXPECT_EQ(static_cast<std::uint32_t>(RasterOp::SrcCopy), 0x00CC0020u);
    EXPECT_EQ(static_cast<std::uint32_t>(RasterOp::SrcAnd), 0x008800C6u);
    EXPECT_EQ(static_cast<std::uint32_t>(RasterOp::SrcPaint), 0x00EE0086u);
}

TEST(BitBlt, EachOpCombinesEveryPixelOfTheBlockAndNothingElse) {
    const Surface src = Pattern(10, 9, 1);
    for (RasterOp op : kOps) {
        const Surface before = Pattern(12, 11, 2);
        Surface dst = before;
        BitBlt(dst, 3, 4, 5, 6, src, 2, 1, op);
        for (int y = 0; y < 11; ++y) {
            for (int x = 0; x < 12; ++x) {
                const bool inside = x >= 3 && x < 8 && y >= 4 && y < 10;
                const std::uint32_t expected =
                    inside ? Apply(op, before.Pixel(x, y), src.Pixel(x - 1, y - 3))
                           : before.Pixel(x, y);
                ASSERT_EQ(dst.Pixel(x, y), expected) << x << "," << y;
            }
        }
    }
}

TEST(BitBlt, OpsActOnTheColourBitsOnly) {
    const Surface white(4, 4, 0xFFFFFFFF);
    Surface dst(4, 4, 0x00808080);
    BitBlt(dst, 0, 0, 4, 4, white, 0, 0, RasterOp::SrcPaint);
    EXPECT_EQ(dst.Pixel(2, 2), 0xFFFFFFu);
    BitBlt(dst, 0, 0, 4, 4, Surface(4, 4, 0x123456), 0, 0, RasterOp::SrcAnd);
    EXPECT_EQ(dst.Pixel(1, 3), 0x123456u);
}

// A 32 x 32 cell drawn the masked way: AND with a mask that is white where
// the picture is transparent, then OR with the picture, black there.
TEST(BitBlt, MaskedPairShowsThePictureInsideTheMaskAndKeepsTheRest) {
    const Surface picture = Pattern(32, 32, 7);
    auto solid = [](int x, int y) { return (x - 15) * (x - 15) + (y - 17) * (y - 17) < 120; };
    const Surface sheet = testing::MaskedCellSheet(picture, solid);
    const Surface background = Pattern(80, 60, 8);
    Surface dst = background;
    BitBlt(dst, 20, 10, 32, 32, sheet, 0, 0, RasterOp::SrcAnd);
    BitBlt(dst, 20, 10, 32, 32, sheet, 32, 0, RasterOp::SrcPaint);
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 80; ++x) {
            const int cx = x - 20, cy = y - 10;
            const bool inCell = cx >= 0 && cx < 32 && cy >= 0 && cy < 32;
            const std::uint32_t expected =
                inCell && solid(cx, cy) ? picture.Pixel(cx, cy) : background.Pixel(x, y);
            ASSERT_EQ(dst.Pixel(x, y), expected) << x << "," << y;
        }
    }
}

// Every placement of a 4 x 3 block that crosses any edge of either surface,
// negative positions included, against the pixel-by-pixel rule.
TEST(BitBlt, ClipsAgainstBothSurfacesAtEveryEdge) {
    const Surface src = Pattern(7, 5, 3);
    const Surface start = Pattern(8, 6, 4);
    for (int x = -5; x <= 9; ++x) {
        for (int y = -4; y <= 7; ++y) {
            for (int sx = -5; sx <= 8; ++sx) {
                for (int sy = -4; sy <= 6; ++sy) {
                    Surface actual = start;
                    Surface expected = start;
                    BitBlt(actual, x, y, 4, 3, src, sx, sy, RasterOp::SrcCopy);
                    ReferenceStretch(expected, x, y, 4, 3, src, sx, sy, 4, 3, RasterOp::SrcCopy);
                    ASSERT_EQ(actual, expected) << x << " " << y << " " << sx << " " << sy;
                }
            }
        }
    }
}

TEST(BitBlt, BlockLargerThanBothSurfacesIsClippedToTheirOverlap) {
    const Surface src = Pattern(5, 5, 5);
    Surface dst(6, 6);
    BitBlt(dst, -2, -1, 100, 100, src, 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(dst.Pixel(0, 0), src.Pixel(2, 1));
    EXPECT_EQ(dst.Pixel(2, 3), src.Pixel(4, 4));
    EXPECT_EQ(dst.Pixel(3, 3), 0u);  // source column 5 does not exist
    EXPECT_EQ(dst.Pixel(2, 4), 0u);  // nor source row 5
}

TEST(BitBlt, SelfCopyReadsTheSourceBeforeWriting) {
    for (RasterOp op : kOps) {
        for (int dx = -3; dx <= 3; ++dx) {
            for (int dy = -3; dy <= 3; ++dy) {
                Surface actual = Pattern(12, 10, 6);
                Surface expected = actual;
                BitBlt(actual, 4 + dx, 3 + dy, 6, 5, actual, 4, 3, op);
                ReferenceStretch(expected, 4 + dx, 3 + dy, 6, 5, expected, 4, 3, 6, 5, op);
                ASSERT_EQ(actual, expected) << dx << "," << dy;
            }
        }
    }
}

TEST(BitBlt, EmptyExtentsUnknownOpsAndExtremePositionsChangeNothing) {
    const Surface src = Pattern(8, 8, 9);
    const Surface before = Pattern(8, 8, 10);
    Surface dst = before;
    BitBlt(dst, 0, 0, 0, 4, src, 0, 0, RasterOp::SrcCopy);
    BitBlt(dst, 0, 0, 4, 0, src, 0, 0, RasterOp::SrcCopy);
    BitBlt(dst, 4, 4, -3, -3, src, 0, 0, RasterOp::SrcCopy);
    BitBlt(dst, 0, 0, 4, 4, src, 0, 0, static_cast<RasterOp>(0x00660046));
    BitBlt(dst, 2147483647, 0, 2147483647, 4, src, 0, 0, RasterOp::SrcCopy);
    BitBlt(dst, -2147483647 - 1, 0, 2147483647, 4, src, 0, 0, RasterOp::SrcCopy);
    BitBlt(dst, 0, 0, 4, 4, src, 2147483647, -2147483647 - 1, RasterOp::SrcCopy);
    BitBlt(dst, 0, 0, 4, 4, Surface(), 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(dst, before);
}

}  // namespace
}  // namespace tovek
