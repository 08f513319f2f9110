// The tick's horizontal step: acceleration, friction, power-ups F and B,
// walls and the map's side edges.
#include "game/core/keyboard.h"
#include "tests/game/game_fixture.h"

namespace tovek::testing {
namespace {

class RunningTest : public GameTest {
  protected:
    void SetUp() override {
        Play({"........................", "........................", "........................",
              "........................", "........................", "........................",
              "...........S............", "########################"});
    }

    std::vector<int> SpeedsOver(int ticks) {
        std::vector<int> speeds;
        for (int i = 0; i < ticks; ++i) {
            Tick();
            speeds.push_back(game_.playerSpeedX);
        }
        return speeds;
    }
};

TEST_F(RunningTest, AcceleratesUpToTheSpeedLimit) {
    Press(kKeyLeft);
    EXPECT_EQ(SpeedsOver(6), (std::vector<int>{-2, -4, -6, -8, -10, -10}));
    EXPECT_EQ(game_.playerFacing, 0);
}

TEST_F(RunningTest, FrictionStopsWithoutReversing) {
    Press(kKeyRight);
    Tick(3);
    ASSERT_EQ(game_.playerSpeedX, 6);
    Release(kKeyRight);
    const int x = game_.playerX;
    EXPECT_EQ(SpeedsOver(3), (std::vector<int>{4, 2, 0}));
    EXPECT_EQ(game_.playerX, x + 6);
}

TEST_F(RunningTest, PowerUpFDoublesFrictionAndTurning) {
    game_.powerUpF = true;
    game_.playerSpeedX = 6;
    EXPECT_EQ(SpeedsOver(2), (std::vector<int>{2, 0}));

    game_.playerSpeedX = 6;
    Press(kKeyLeft);
    EXPECT_EQ(SpeedsOver(1), (std::vector<int>{2}));
}

TEST_F(RunningTest, PowerUpBTurnsAtOnce) {
    game_.powerUpB = true;
    game_.playerSpeedX = 6;
    Press(kKeyLeft);
    EXPECT_EQ(SpeedsOver(1), (std::vector<int>{-2}));
    Release(kKeyLeft);
    EXPECT_EQ(SpeedsOver(1), (std::vector<int>{0}));
}

TEST_F(RunningTest, StaysInsideTheMapEdges) {
    Press(kKeyLeft);
    Tick(60);
    EXPECT_EQ(game_.playerX, -8);
    Release(kKeyLeft);
    Press(kKeyRight);
    Tick(100);
    EXPECT_EQ(game_.playerX, 23 * 32 + 8);
}

TEST_F(RunningTest, WalkingOnTheGroundAlternatesSteps) {
    Press(kKeyRight);
    Tick();
    const int step = game_.playerStep;
    Tick();
    EXPECT_NE(game_.playerStep, step);
}

using WallTest = GameTest;

TEST_F(WallTest, RunningIntoAWallSnapsToTheColumnGrid) {
    Play({"............", "............", "............", "............", "............",
          "............", "S....#......", "############"});
    Press(kKeyRight);
    Tick(20);
    EXPECT_EQ(game_.playerX, 4 * 32 + 8);
    EXPECT_GT(game_.playerSpeedX, 0);  // the speed is kept against the wall
}

}  // namespace
}  // namespace tovek::testing
