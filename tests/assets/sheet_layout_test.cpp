#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "embedded_assets.h"
#include "tests/assets/decoded_picture.h"

namespace tovek {
namespace {

using testing::DecodedPicture;
using testing::DecodePng;

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kCell = 32;

const DecodedPicture& MapSheet() {
    static const DecodedPicture sheet = DecodePng(embedded::PicMapPng());
    return sheet;
}
const DecodedPicture& PlayerSheet() {
    static const DecodedPicture sheet = DecodePng(embedded::PicPlayerPng());
    return sheet;
}
const DecodedPicture& BackgroundSheet() {
    static const DecodedPicture sheet = DecodePng(embedded::PicBackBasePng());
    return sheet;
}

// Checks one mask and picture cell pair as the game draws them: AND with the
// mask, then OR with the picture. Returns the number of coloured pixels.
int ExpectMaskMatchesPicture(const DecodedPicture& sheet, int column, int maskRow, int pictureRow) {
    int coloured = 0;
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            const std::uint32_t mask = sheet.At(column * kCell + x, maskRow * kCell + y);
            const std::uint32_t picture = sheet.At(column * kCell + x, pictureRow * kCell + y);
            EXPECT_TRUE(mask == kWhite || mask == kBlack)
                << "mask cell (" << column << ", " << maskRow << ") pixel " << x << "," << y;
            EXPECT_EQ(mask == kWhite, picture == kBlack)
                << "cell (" << column << ", " << pictureRow << ") pixel " << x << "," << y;
            if (picture != kBlack) ++coloured;
        }
    }
    return coloured;
}

int BlackPixels(const DecodedPicture& sheet, int left, int top, int width, int height) {
    int count = 0;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x)
            count += sheet.At(x, y) == kBlack;
    }
    return count;
}

TEST(SheetLayout, SheetsHaveTheirSizes) {
    EXPECT_EQ(MapSheet().width, 512);
    EXPECT_EQ(MapSheet().height, 160);
    EXPECT_EQ(PlayerSheet().width, 128);
    EXPECT_EQ(PlayerSheet().height, 192);
    EXPECT_EQ(BackgroundSheet().width, 256);
    EXPECT_EQ(BackgroundSheet().height, 256);
}

TEST(SheetLayout, MaskedTilesHaveMatchingMasks) {
    ASSERT_EQ(MapSheet().width, 512);
    for (int code : {16, 17, 18, 19, 20, 21, 22, 23, 24, 30, 31}) {
        const int coloured = ExpectMaskMatchesPicture(MapSheet(), code % 16, 1, 3);
        EXPECT_GT(coloured, 40) << "tile " << code << " is nearly empty";
    }
}

TEST(SheetLayout, ActorsHaveMatchingMasks) {
    ASSERT_EQ(MapSheet().width, 512);
    for (int kind = 0; kind < 16; ++kind) {
        const int coloured = ExpectMaskMatchesPicture(MapSheet(), kind, 2, 4);
        EXPECT_GT(coloured, 150) << "actor " << kind << " is nearly empty";
        EXPECT_LT(coloured, kCell * kCell) << "actor " << kind << " has no transparent pixel";
    }
}

TEST(SheetLayout, PlayerFramesHaveMatchingMasks) {
    ASSERT_EQ(PlayerSheet().width, 128);
    for (int character = 0; character < 3; ++character) {
        for (int column = 0; column < 4; ++column) {
            const int coloured =
                ExpectMaskMatchesPicture(PlayerSheet(), column, 2 * character, 2 * character + 1);
            EXPECT_GT(coloured, 200) << "character " << character << " column " << column;
        }
    }
}

// Columns 2 and 3 face right: the mirror images of the two left-facing steps.
TEST(SheetLayout, RightFacingStepsMirrorTheLeftFacingOnes) {
    const DecodedPicture& sheet = PlayerSheet();
    ASSERT_EQ(sheet.width, 128);
    for (int row = 0; row < 6; ++row) {
        for (int step = 0; step < 2; ++step) {
            for (int y = 0; y < kCell; ++y) {
                for (int x = 0; x < kCell; ++x) {
                    ASSERT_EQ(sheet.At(step * kCell + x, row * kCell + y),
                              sheet.At((2 + step) * kCell + kCell - 1 - x, row * kCell + y))
                        << "row " << row << " step " << step;
                }
            }
        }
    }
}

TEST(SheetLayout, TheTwoStepsAndTheCharactersDiffer) {
    const DecodedPicture& sheet = PlayerSheet();
    ASSERT_EQ(sheet.width, 128);
    auto differing = [&](int x0, int y0, int x1, int y1) {
        int count = 0;
        for (int y = 0; y < kCell; ++y) {
            for (int x = 0; x < kCell; ++x)
                count += sheet.At(x0 + x, y0 + y) != sheet.At(x1 + x, y1 + y);
        }
        return count;
    };
    for (int character = 0; character < 3; ++character) {
        const int row = (2 * character + 1) * kCell;
        EXPECT_GT(differing(0, row, kCell, row), 30) << "character " << character;
    }
    EXPECT_GT(differing(0, kCell, 0, 3 * kCell), 200);
    EXPECT_GT(differing(0, 3 * kCell, 0, 5 * kCell), 200);
    EXPECT_GT(differing(0, kCell, 0, 5 * kCell), 200);
}

// Opaque tiles are copied as they are: no pixel of them may be the black that
// marks transparency elsewhere.
TEST(SheetLayout, OpaqueTilesAreFullyColoured) {
    const DecodedPicture& sheet = MapSheet();
    ASSERT_EQ(sheet.width, 512);
    for (int code = 0; code < 16; ++code) {
        EXPECT_EQ(BlackPixels(sheet, code * kCell, 0, kCell, kCell), 0) << "tile " << code;
    }
    for (int code = 25; code <= 29; ++code) {
        EXPECT_EQ(BlackPixels(sheet, (code % 16) * kCell, kCell, kCell, kCell), 0)
            << "tile " << code;
    }
}

// The editor ORs row 3 onto row 1 to build its palette; under the opaque
// codes 25..29 row 3 is black, so water, the drop lift, the power-down and
// the two ports look the same in the editor as in the game.
TEST(SheetLayout, EditorPaletteKeepsTheOpaqueCellsOfRowOne) {
    const DecodedPicture& sheet = MapSheet();
    ASSERT_EQ(sheet.width, 512);
    for (int column = 9; column <= 13; ++column) {
        EXPECT_EQ(BlackPixels(sheet, column * kCell, 3 * kCell, kCell, kCell), kCell * kCell)
            << "row 3 column " << column;
    }
}

// The game copies lifts as 32 x 12 strips from the top of each half of cells
// 12..15 and from the top of cell 26: those strips must be drawn art.
TEST(SheetLayout, LiftStripsAreDrawn) {
    const DecodedPicture& sheet = MapSheet();
    ASSERT_EQ(sheet.width, 512);
    std::set<std::vector<std::uint32_t>> strips;
    auto strip = [&](int left, int top) {
        std::vector<std::uint32_t> pixels;
        for (int y = top; y < top + 12; ++y) {
            for (int x = left; x < left + kCell; ++x)
                pixels.push_back(sheet.At(x, y));
        }
        return pixels;
    };
    for (int type = 0; type < 4; ++type) {
        for (int param = 0; param < 2; ++param)
            strips.insert(strip(384 + 32 * type, 16 * param));
    }
    strips.insert(strip(320, 32));
    EXPECT_EQ(strips.size(), 9u) << "every lift type and speed looks different";
}

TEST(SheetLayout, EveryActorKindLooksDifferent) {
    const DecodedPicture& sheet = MapSheet();
    ASSERT_EQ(sheet.width, 512);
    std::set<std::vector<bool>> silhouettes;
    for (int kind = 0; kind < 16; ++kind) {
        std::vector<bool> shape;
        for (int y = 0; y < kCell; ++y) {
            for (int x = 0; x < kCell; ++x)
                shape.push_back(sheet.At(kind * kCell + x, 2 * kCell + y) == kBlack);
        }
        silhouettes.insert(shape);
    }
    EXPECT_EQ(silhouettes.size(), 16u);
}

// Mean colour distance between two lines of a 64 x 64 background.
double LineDistance(const DecodedPicture& sheet, int n, int a, int b, bool columns) {
    const int left = (n % 4) * 64;
    const int top = (n / 4) * 64;
    double sum = 0;
    for (int i = 0; i < 64; ++i) {
        const std::uint32_t p = columns ? sheet.At(left + a, top + i) : sheet.At(left + i, top + a);
        const std::uint32_t q = columns ? sheet.At(left + b, top + i) : sheet.At(left + i, top + b);
        for (int shift : {16, 8, 0})
            sum += std::abs(static_cast<int>((p >> shift) & 0xFF) -
                            static_cast<int>((q >> shift) & 0xFF));
    }
    return sum / 64.0;
}

// Repeated side by side and on top of each other, a background shows no seam:
// its last column meets its first about as smoothly as neighbouring columns
// inside it meet each other, and the same for rows.
TEST(SheetLayout, BackgroundsWrapWithoutSeams) {
    const DecodedPicture& sheet = BackgroundSheet();
    ASSERT_EQ(sheet.width, 256);
    for (int n = 0; n < 16; ++n) {
        for (bool columns : {true, false}) {
            double inside = 0;
            double worstInside = 0;
            for (int i = 0; i < 63; ++i) {
                const double d = LineDistance(sheet, n, i, i + 1, columns);
                inside += d;
                worstInside = std::max(worstInside, d);
            }
            inside /= 63;
            const double seam = LineDistance(sheet, n, 63, 0, columns);
            EXPECT_LE(seam, std::max(2.5 * inside, worstInside) + 1.0)
                << "background " << n << (columns ? " left/right" : " top/bottom");
        }
    }
}

TEST(SheetLayout, SixteenDifferentBackgrounds) {
    const DecodedPicture& sheet = BackgroundSheet();
    ASSERT_EQ(sheet.width, 256);
    std::set<std::vector<std::uint32_t>> patterns;
    for (int n = 0; n < 16; ++n) {
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x)
                pixels.push_back(sheet.At((n % 4) * 64 + x, (n / 4) * 64 + y));
        }
        patterns.insert(pixels);
    }
    EXPECT_EQ(patterns.size(), 16u);
}

}  // namespace
}  // namespace tovek
