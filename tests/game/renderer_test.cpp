// The frame renderer: where the view lies, which objects wake, and the pixels.
#include "game/core/frame_renderer.h"

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
    EXPECT_EQ(ViewAt(100, 112, 12, 8).viewY, 0);   // eight rows: still from 112 down
    EXPECT_EQ(ViewAt(100, 200, 12, 8).viewY, 0);
    EXPECT_EQ(ViewAt(100, 100, 12, 8).viewY, -12);  // above that the view follows
    EXPECT_EQ(ViewAt(100, 100, 12, 5).viewY, -96);  // lower than the view
    EXPECT_EQ(ViewAt(100, 100, 8, 8).viewX, 0);     // narrow, player left of the middle
    EXPECT_EQ(ViewAt(200, 100, 8, 8).viewX, -128);  // narrow: flush with the right edge
}

class WakeTest : public GameTest {
protected:
    void SetUp() override {
        Play({"........................", "........................",
              "........................", "........................",
              "........................", "........................",
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
        game_.actors.push_back(Actor{0, static_cast<std::int16_t>(x),
                                     static_cast<std::int16_t>(y)});
    }
    for (const auto& [x, y] : inside) {
        game_.lifts.push_back(Lift{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)});
        game_.actors.push_back(Actor{0, static_cast<std::int16_t>(x),
                                     static_cast<std::int16_t>(y)});
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
