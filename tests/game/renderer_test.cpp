// The frame renderer: where the view lies, which objects wake, and the pixels.
#include "game/core/frame_renderer.h"

#include "common/sheets.h"
#include "common/text.h"
#include "game/core/keyboard.h"
#include "tests/game/game_fixture.h"

namespace tovek::testing {
namespace {

class ViewTest : public ::testing::Test {
  protected:
    View ViewAt(int x, int y, int width = 40, int height = 20) {
        game_.mapWidth = static_cast<std::int16_t>(width);
        game_.mapHeight = static_cast<std::int16_t>(height);
        game_.playerX = static_cast<std::int16_t>(x);
        game_.playerY = static_cast<std::int16_t>(y);
        return ComputeView(game_);
    }
    Game game_;
};

TEST_F(ViewTest, PlayerSitsInTheMiddleAwayFromTheEdges) {
    const View view = ViewAt(500, 300);
    EXPECT_EQ(view.viewX, 500 - 176);
    EXPECT_EQ(view.viewY, 300 - 112);
    // Every cell is drawn where the map puts it.
    EXPECT_EQ(32 * view.tileX + view.offX, view.viewX);
    EXPECT_EQ(32 * view.tileY + view.offY, view.viewY);
}

TEST_F(ViewTest, StopsAtTheLeftRightAndBottomEdges) {
    EXPECT_EQ(ViewAt(175, 300).viewX, 0);
    EXPECT_EQ(ViewAt(176, 300).viewX, 0);
    EXPECT_EQ(ViewAt(177, 300).viewX, 1);
    EXPECT_EQ(ViewAt(32 * 40 - 208, 300).viewX, 32 * 28);
    EXPECT_EQ(ViewAt(32 * 40 - 8, 300).viewX, 32 * 28);
    EXPECT_EQ(ViewAt(500, 32 * 20 - 32).viewY, 32 * 12);
}

TEST_F(ViewTest, NeverStopsAtTheTop) {
    EXPECT_EQ(ViewAt(500, 0).viewY, -112);
    EXPECT_EQ(ViewAt(500, -100).viewY, -212);
}

TEST_F(ViewTest, SmallMapsStickToAnEdge) {
    EXPECT_EQ(ViewAt(100, 112, 12, 8).viewY, 0);  // eight rows: still from 112 down
    EXPECT_EQ(ViewAt(100, 200, 12, 8).viewY, 0);
    EXPECT_EQ(ViewAt(100, 100, 12, 8).viewY, -12);  // above that the view follows
    EXPECT_EQ(ViewAt(100, 100, 12, 5).viewY, -96);  // lower than the view
    EXPECT_EQ(ViewAt(100, 100, 8, 8).viewX, 0);     // narrow, player left of the middle
    EXPECT_EQ(ViewAt(200, 100, 8, 8).viewX, -128);  // narrow: flush with the right edge
}

class WakeTest : public GameTest {
  protected:
    void SetUp() override {
        Play({"........................", "........................", "........................",
              "........................", "........................", "........................",
              "S.......................", "########################"});
    }
};

TEST_F(WakeTest, ObjectsWakeOnlyInsideTheExclusiveBounds) {
    const View view = ComputeView(game_);
    ASSERT_EQ(view.viewX, 0);
    ASSERT_EQ(view.viewY, 0);
    const std::vector<std::pair<int, int>> outside = {{-32, 0}, {384, 0}, {0, -32}, {0, 256}};
    const std::vector<std::pair<int, int>> inside = {{-31, 0}, {383, 0}, {0, -31}, {0, 255}};
    game_.lifts.clear();
    game_.actors.clear();
    for (const auto& [x, y] : outside) {
        game_.lifts.push_back(Lift{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)});
        game_.actors.push_back(
            Actor{0, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)});
    }
    for (const auto& [x, y] : inside) {
        game_.lifts.push_back(Lift{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)});
        game_.actors.push_back(
            Actor{0, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)});
    }
    DrawFrame(game_);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(game_.lifts[i].active, i >= 4) << i;
        EXPECT_EQ(game_.actors[i].active, i >= 4) << i;
    }
}

TEST_F(WakeTest, PopUpWakesWhereItIsDrawn) {
    game_.actors = {Actor{9, -64, 64}};
    game_.actors[0].home = 100;
    game_.actors[0].vy = 1;
    game_.actors[0].lo = 3;  // odd: drawn at home
    DrawFrame(game_);
    EXPECT_TRUE(game_.actors[0].active);
    game_.actors[0].active = false;
    game_.actors[0].lo = 4;  // even: drawn out of the map
    DrawFrame(game_);
    EXPECT_FALSE(game_.actors[0].active);
}

}  // namespace
}  // namespace tovek::testing

namespace tovek::testing {
namespace {

// Frames drawn with the real sheets and font, compared with what the sheet
// cells say they must show.
class PixelTest : public GameTest {
  protected:
    void SetUp() override {
        std::string error;
        text_ = TextPainter::Create(FontFace::Serif, &error);
        ASSERT_NE(text_, nullptr) << error;
        game_.drawPixels = true;
        game_.sheets = LoadPictureSheets();
        game_.text = text_.get();
        std::vector<std::string> rows(20, "........................................");
        rows[10] = "....................S...................";
        rows[11] = "########################################";
        Play(rows);
    }

    Surface Frame() {
        DrawFrame(game_);
        return game_.picMain;
    }

    // The 32 × 32 block at (x, y) of a frame.
    static std::vector<std::uint32_t> Block(const Surface& s, int x, int y, int h = 32) {
        std::vector<std::uint32_t> pixels;
        for (int j = 0; j < h; ++j) {
            for (int i = 0; i < 32; ++i)
                pixels.push_back(s.Pixel(x + i, y + j));
        }
        return pixels;
    }

    // A masked figure over a background block, as AND then OR compose it,
    // reading the sheet cell mirrored and/or upside down.
    static std::vector<std::uint32_t> Composed(const std::vector<std::uint32_t>& background,
                                               const Surface& sheet, int cellX, int maskY,
                                               int pictureY, bool mirrored, bool upsideDown) {
        std::vector<std::uint32_t> pixels;
        for (int j = 0; j < 32; ++j) {
            for (int i = 0; i < 32; ++i) {
                const int u = cellX + (mirrored ? 31 - i : i);
                const int v = upsideDown ? 31 - j : j;
                pixels.push_back((background[j * 32 + i] & sheet.Pixel(u, maskY + v)) |
                                 sheet.Pixel(u, pictureY + v));
            }
        }
        return pixels;
    }

    std::unique_ptr<TextPainter> text_;
};

TEST_F(PixelTest, PlayerIsDrawnInTheMiddleOfTheView) {
    const Surface shown = Frame();
    game_.graceTicks = 1;  // odd: the player blinks out
    const Surface hidden = Frame();
    game_.graceTicks = 0;
    const auto background = Block(hidden, 176, 112);
    const int row = game_.character * 64;
    EXPECT_EQ(Block(shown, 176, 112), Composed(background, game_.sheets->picPlayer,
                                               (2 * game_.playerFacing + game_.playerStep) * 32,
                                               row, row + 32, false, false));
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 384; ++x) {
            const bool inBox = x >= 176 && x < 208 && y >= 112 && y < 144;
            if (!inBox) {
                ASSERT_EQ(shown.Pixel(x, y), hidden.Pixel(x, y)) << x << "," << y;
            }
        }
    }
}

TEST_F(PixelTest, BlinkShowsThePlayerOnEvenGraceTicks) {
    game_.graceTicks = 1;
    const Surface hidden = Frame();
    game_.graceTicks = 8;
    EXPECT_NE(Frame(), hidden);
    game_.graceTicks = 7;
    EXPECT_EQ(Frame(), hidden);
}

TEST_F(PixelTest, DyingPlayerFallsUpsideDown) {
    game_.graceTicks = 1;
    const auto background = Block(Frame(), 176, 112 + 16);
    game_.graceTicks = 0;
    game_.dying = true;
    game_.deathY = static_cast<std::int16_t>(game_.playerY + 16);
    const int row = game_.character * 64;
    EXPECT_EQ(Block(Frame(), 176, 128), Composed(background, game_.sheets->picPlayer,
                                                 (2 * game_.playerFacing + game_.playerStep) * 32,
                                                 row, row + 32, false, true));
}

TEST_F(PixelTest, ActorsMirrorWithTheirDirectionAndFlipWhenKnockedOut) {
    game_.actors = {Actor{5, static_cast<std::int16_t>(game_.playerX + 64), game_.playerY}};
    const int x = 176 + 64;
    game_.actors[0].y = -500;  // out of view: the plain background
    const auto background = Block(Frame(), x, 112);
    game_.actors[0].y = game_.playerY;
    for (const auto& [dir, state] : {std::pair{0, 0}, {1, 0}, {0, -1}, {1, -1}}) {
        game_.actors[0].dir = static_cast<std::uint8_t>(dir);
        game_.actors[0].state = static_cast<std::int16_t>(state);
        EXPECT_EQ(Block(Frame(), x, 112),
                  Composed(background, game_.sheets->picMap, 5 * 32, 64, 128, dir != 0, state != 0))
            << dir << "," << state;
    }
}

TEST_F(PixelTest, PortsShowTheirNumberInHex) {
    const int column = game_.playerX / 32 + 2;
    const int row = game_.playerY / 32 - 1;
    const int x = 176 + 64;
    const int y = 112 - 32;
    for (const auto& [tile, digit, cell, textY] :
         {std::tuple{45, "D", 28, 17}, std::tuple{48, "0", 29, 9}}) {
        game_.TileAt(column, row) = static_cast<std::uint8_t>(tile);
        Surface expected(32, 32);
        BitBlt(expected, 0, 0, 32, 32, game_.sheets->picMap, (cell % 16) * 32, 32,
               RasterOp::SrcCopy);
        text_->Print(expected, 12, textY, digit, TextStyle{12, false, 0});
        EXPECT_EQ(Block(Frame(), x, y), Block(expected, 0, 0)) << tile;
    }
}

TEST_F(PixelTest, LiftsShowTheirStripOfTwelveRows) {
    const auto lift = [&](std::uint8_t type, std::int16_t param) {
        return Lift{static_cast<std::int16_t>(game_.playerX + 64),
                    static_cast<std::int16_t>(game_.playerY),
                    type,
                    false,
                    false,
                    false,
                    param};
    };
    for (const auto& [type, param, sourceX, sourceY] :
         {std::tuple{1, 0, 416, 0}, std::tuple{3, 1, 480, 16}, std::tuple{4, 300, 320, 32}}) {
        game_.lifts = {lift(static_cast<std::uint8_t>(type), static_cast<std::int16_t>(param))};
        const Surface frame = Frame();
        Surface strip(32, 12);
        BitBlt(strip, 0, 0, 32, 12, game_.sheets->picMap, sourceX, sourceY, RasterOp::SrcCopy);
        EXPECT_EQ(Block(frame, 240, 112, 12), Block(strip, 0, 0, 12)) << type;
        EXPECT_TRUE(game_.lifts[0].active);
    }
}

}  // namespace
}  // namespace tovek::testing
