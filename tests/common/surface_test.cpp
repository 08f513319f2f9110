#include "common/surface.h"

#include <gtest/gtest.h>

namespace tovek {
namespace {

TEST(Surface, StartsInTheGivenColourWithItsSize) {
    const Surface surface(5, 3, 0x123456);
    EXPECT_EQ(surface.Width(), 5);
    EXPECT_EQ(surface.Height(), 3);
    EXPECT_EQ(surface.Pixels().size(), 15u);
    for (std::uint32_t pixel : surface.Pixels()) {
        EXPECT_EQ(pixel, 0x123456u);
    }
}

TEST(Surface, NegativeSizeIsEmpty) {
    const Surface surface(-4, 7);
    EXPECT_EQ(surface.Width(), 0);
    EXPECT_EQ(surface.Height(), 7);
    EXPECT_TRUE(surface.Pixels().empty());
}

TEST(Surface, KeepsOnlyTheColourBits) {
    Surface surface(2, 2, 0xFF000000);
    EXPECT_EQ(surface.Pixel(0, 0), 0u);
    surface.Clear(0xFFABCDEF);
    EXPECT_EQ(surface.Pixel(1, 1), 0xABCDEFu);
    surface.SetPixel(0, 1, 0x7F010203);
    EXPECT_EQ(surface.Pixel(0, 1), 0x010203u);
    surface.FillRect(0, 0, 1, 1, 0x80FFFFFF);
    EXPECT_EQ(surface.Pixel(0, 0), 0xFFFFFFu);
}

TEST(Surface, PixelOutsideReadsZeroAndWritesNothing) {
    Surface surface(3, 3, 0x111111);
    const Surface before = surface;
    EXPECT_EQ(surface.Pixel(-1, 0), 0u);
    EXPECT_EQ(surface.Pixel(3, 0), 0u);
    EXPECT_EQ(surface.Pixel(0, 3), 0u);
    surface.SetPixel(-1, 1, 0xFFFFFF);
    surface.SetPixel(1, 3, 0xFFFFFF);
    EXPECT_EQ(surface, before);
}

TEST(Surface, RowsAreConsecutive) {
    Surface surface(4, 2);
    surface.SetPixel(3, 0, 1);
    surface.SetPixel(0, 1, 2);
    EXPECT_EQ(surface.Row(0)[3], 1u);
    EXPECT_EQ(surface.Row(1)[0], 2u);
    EXPECT_EQ(surface.Row(0) + 4, surface.Row(1));
}

TEST(SurfaceFillRect, FillsExactlyTheRectangle) {
    Surface surface(6, 5);
    surface.FillRect(1, 2, 3, 2, 0xABCDEF);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 1 && x < 4 && y >= 2 && y < 4;
            EXPECT_EQ(surface.Pixel(x, y), inside ? 0xABCDEFu : 0u) << x << "," << y;
        }
    }
}

TEST(SurfaceFillRect, ClipsAtEveryEdge) {
    Surface surface(4, 4);
    surface.FillRect(-2, -3, 4, 5, 0x0000FF);    // top left corner 2 x 2
    surface.FillRect(3, 3, 100, 100, 0x00FF00);  // bottom right pixel
    EXPECT_EQ(surface.Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(surface.Pixel(1, 1), 0x0000FFu);
    EXPECT_EQ(surface.Pixel(2, 1), 0u);
    EXPECT_EQ(surface.Pixel(1, 2), 0u);
    EXPECT_EQ(surface.Pixel(3, 3), 0x00FF00u);
    EXPECT_EQ(surface.Pixel(2, 3), 0u);
}

TEST(SurfaceFillRect, EmptyOrOutsideOrExtremeChangesNothing) {
    Surface surface(4, 4, 0x222222);
    const Surface before = surface;
    surface.FillRect(1, 1, 0, 2, 0xFFFFFF);
    surface.FillRect(1, 1, 2, -2, 0xFFFFFF);
    surface.FillRect(4, 0, 3, 3, 0xFFFFFF);
    surface.FillRect(-5, 0, 5, 3, 0xFFFFFF);
    surface.FillRect(2147483647, 2147483647, 2147483647, 2147483647, 0xFFFFFF);
    EXPECT_EQ(surface, before);
    surface.FillRect(-2147483647 - 1, -2147483647 - 1, 2147483647, 2147483647, 0xFFFFFF);
    EXPECT_EQ(surface, before);
}

}  // namespace
}  // namespace tovek
