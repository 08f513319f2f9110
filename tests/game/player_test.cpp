// The player's jumps, falls, water rules, head bumps and ports.
#include "game/core/player.h"
#include "game/core/keyboard.h"
#include "tests/game/game_fixture.h"

namespace tovek::testing {
namespace {

class PlayerTest : public GameTest {
  protected:
    // Presses Up for one tick and returns the height above the start, tick by
    // tick, until the player stands again.
    std::vector<int> JumpHeights() {
        const int groundY = game_.playerY;
        Press(kKeyUp);
        Tick();
        Release(kKeyUp);
        std::vector<int> heights;
        while (game_.airborne && heights.size() < 60) {
            Tick();
            heights.push_back(groundY - game_.playerY);
        }
        return heights;
    }

    static int Peak(const std::vector<int>& heights) {
        return *std::max_element(heights.begin(), heights.end());
    }
    static int RiseTicks(const std::vector<int>& heights) {
        return static_cast<int>(std::max_element(heights.begin(), heights.end()) -
                                heights.begin()) +
               1;
    }
};

const std::vector<std::string> kFlat = {
    "............", "............", "............", "............",
    "............", "............", ".....S......", "############",
};

TEST_F(PlayerTest, ArcStepsFollowTheArcFactor) {
    game_.arcFactor = 1.08f;
    EXPECT_EQ(ArcStep(game_, -8, false), -16);
    EXPECT_EQ(ArcStep(game_, -1, false), -1);
    EXPECT_EQ(ArcStep(game_, 0, false), 1);
    EXPECT_EQ(ArcStep(game_, 3, false), 8);
    EXPECT_EQ(ArcStep(game_, -8, true), -32);
}

TEST_F(PlayerTest, JumpRisesEightTicksAndLandsBackOnTheFloor) {
    Play(kFlat);
    const int groundY = game_.playerY;
    const std::vector<int> heights = JumpHeights();
    ASSERT_GE(heights.size(), 9u);
    EXPECT_EQ(std::vector<int>(heights.begin(), heights.begin() + 9),
              (std::vector<int>{16, 30, 42, 52, 60, 65, 68, 69, 68}));
    EXPECT_EQ(heights.back(), 0);
    EXPECT_EQ(game_.playerY, groundY);
}

TEST_F(PlayerTest, LightCharacterJumpsLongerAndHigher) {
    WriteSettings("Chara=1\n");
    Play(kFlat);
    const std::vector<int> heights = JumpHeights();
    EXPECT_EQ(RiseTicks(heights), 11);
    EXPECT_EQ(Peak(heights), 73);
}

TEST_F(PlayerTest, HeavyCharacterJumpsShort) {
    WriteSettings("Chara=2\n");
    Play(kFlat);
    const std::vector<int> heights = JumpHeights();
    EXPECT_EQ(RiseTicks(heights), 6);
    EXPECT_EQ(Peak(heights), 69);
}

TEST_F(PlayerTest, SpringDoublesTheArc) {
    Play({"............", "............", "............", "............", "............",
          "............", ".....S......", "#####s######"});
    Tick();
    EXPECT_TRUE(game_.springJump);
    EXPECT_EQ(Peak(JumpHeights()), 138);
}

TEST_F(PlayerTest, HoldingUpJumpsAgainOnLanding) {
    Play(kFlat);
    Press(kKeyUp);
    Tick();
    int jumps = 0;
    bool wasAirborne = game_.airborne;
    for (int i = 0; i < 60; ++i) {
        Tick();
        if (game_.airborne && !wasAirborne) ++jumps;
        wasAirborne = game_.airborne;
    }
    EXPECT_EQ(jumps, 0);  // it never stands for a whole tick
    EXPECT_TRUE(game_.airborne);
}

TEST_F(PlayerTest, HeadHitStopsTheRiseUnderTheCeiling) {
    Play({"............", "............", "............", "............", "............",
          ".....#......", ".....S......", "############"});
    Press(kKeyUp);
    Tick(2);
    EXPECT_EQ(game_.playerY, 6 * 32);  // snapped to the row below the ceiling
    EXPECT_EQ(game_.playerSpeedY, 0);
}

TEST_F(PlayerTest, BumpOpensPrizeBlocksInBothColumns) {
    Play({"............", "............", "............", "............", "............",
          "....??......", "....S.......", "############"});
    game_.playerX = 4 * 32 + 12;  // the solid box spans columns 4 and 5
    Press(kKeyUp);
    Tick(2);
    for (int column : {4, 5}) {
        const int opened = game_.TileAt(column, 5);
        EXPECT_GE(opened, 1) << column;
        EXPECT_LE(opened, 6) << column;
        const int prize = game_.TileAt(column, 4);
        const bool prizeTile = (prize >= 8 && prize <= 11) || prize == 18 || prize == 19;
        const bool prizeActor = std::any_of(game_.actors.begin(), game_.actors.end(),
                                            [&](const Actor& a) { return a.x == column * 32; });
        EXPECT_TRUE(prizeTile || prizeActor) << column;
    }
}

TEST_F(PlayerTest, UpPortIsEnteredFromBelowInOneColumn) {
    Play({"............", ".......A....", "............", "............", "............",
          ".....A......", ".....S......", "############"});
    Press(kKeyUp);
    Tick(2);
    EXPECT_EQ(game_.warpTicks, -8);
    Release(kKeyUp);
    Tick(4);  // the partner is reached at |warpTicks| = 4
    EXPECT_EQ(game_.playerX, 7 * 32);
    EXPECT_EQ(game_.playerY, 2 * 32);  // out of the bottom of the partner
    Tick(4);
    EXPECT_EQ(game_.warpTicks, 0);
}

TEST_F(PlayerTest, UpPortAcrossTwoColumnsOnlyBumps) {
    Play({"............", ".......A....", "............", "............", "............",
          ".....A......", ".....S......", "############"});
    game_.playerX = 5 * 32 + 12;
    Press(kKeyUp);
    Tick(2);
    EXPECT_EQ(game_.warpTicks, 0);
}

TEST_F(PlayerTest, DownPortNeedsDownAndOneColumn) {
    Play({"............", "............", "..S.........", "..v.......v.", "..#.........",
          "............", "............", "############"});
    game_.playerX = 2 * 32 - 12;  // feet over columns 1 and 2: the port is not entered
    Press(kKeyDown);
    Tick();
    EXPECT_EQ(game_.warpTicks, 0);
    game_.playerX = 2 * 32;
    Tick();
    EXPECT_EQ(game_.warpTicks, 8);
    Tick(4);
    EXPECT_EQ(game_.playerX, 10 * 32);
    EXPECT_EQ(game_.playerY, 2 * 32);  // out of the top of the same-code port
}

TEST_F(PlayerTest, HoverHoldsTheTopOfTheJumpForFiveTicks) {
    Play(kFlat);
    game_.powerUpL = true;
    const std::vector<int> heights = JumpHeights();
    const int peak = Peak(heights);
    EXPECT_EQ(std::count(heights.begin(), heights.end(), peak), 6);
}

TEST_F(PlayerTest, WaterCapsTheFallAndDownSinks) {
    Play({"...S........", "~~~~~~~~~~~~", "~~~~~~~~~~~~", "~~~~~~~~~~~~", "~~~~~~~~~~~~",
          "~~~~~~~~~~~~", "~~~~~~~~~~~~", "############"});
    game_.powerUpO = true;  // keep breathing
    Tick(8);
    ASSERT_TRUE(game_.inWater);
    int y = game_.playerY;
    Tick();
    EXPECT_EQ(game_.playerY - y, 2);
    Press(kKeyDown);
    y = game_.playerY;
    Tick();
    EXPECT_EQ(game_.playerY - y, 6);
}

TEST_F(PlayerTest, SwimStrokeStartsFromWaterWhileSinking) {
    Play({"............", "............", "~~~~~~~~~~~~", "~~~~~~~~~~~~", "~~~~~~~~~~~~",
          "~~~P~~~~~~~~", "~~~~~~~~~~~~", "############"});
    game_.powerUpO = true;
    Tick(3);
    ASSERT_TRUE(game_.inWater);
    Press(kKeyUp);
    Tick();
    EXPECT_TRUE(game_.airborne);
    EXPECT_EQ(game_.playerSpeedY, -4);
}

TEST_F(PlayerTest, SubmergedPlayerDrownsUnlessProtected) {
    Play({"............", "............", "............", "............", "~~~~~~~~~~~~",
          "~~~P~~~~~~~~", "~~~~~~~~~~~~", "############"});
    Tick(2);
    EXPECT_TRUE(game_.dying);
    EXPECT_EQ(sound_.TakeLastStarted(), 2);
}

TEST_F(PlayerTest, HeadAboveWaterDoesNotDrown) {
    Play({"............", "............", "............", "............", "............",
          "...S........", "~~~~~~~~~~~~", "############"});
    game_.playerY = 5 * 32 + 16;  // half in the water row
    Tick(3);
    EXPECT_FALSE(game_.dying);
}

TEST_F(PlayerTest, FallingOutOfTheMapIsAMiss) {
    Play({"............", "............", "............", "............", "............",
          "............", "...S........", "###.########"});
    Tick(30);
    EXPECT_TRUE(game_.gameOver);
    EXPECT_FALSE(game_.dying);
    EXPECT_EQ(game_.playerY, 8 * 32);
}

TEST_F(PlayerTest, RestartPointFollowsThePlayerOnTheGround) {
    Play(kFlat);
    Press(kKeyRight);
    Tick(5);
    Release(kKeyRight);
    Tick(8);
    EXPECT_EQ(game_.startX, game_.playerX);
    EXPECT_EQ(game_.startY, game_.playerY);
}

}  // namespace
}  // namespace tovek::testing

namespace tovek::testing {
namespace {

using WaterTest = GameTest;

TEST_F(WaterTest, PowerUpOKeepsASubmergedPlayerAlive) {
    Play({"............", "............", "............", "............", "~~~~~~~~~~~~",
          "~~~P~~~~~~~~", "~~~~~~~~~~~~", "############"});
    game_.powerUpO = true;
    Tick(10);
    EXPECT_FALSE(game_.dying);
    EXPECT_TRUE(game_.inWater);
}

TEST_F(WaterTest, GraceKeepsASubmergedPlayerAlive) {
    Play({"............", "............", "............", "............", "~~~~~~~~~~~~",
          "~~~P~~~~~~~~", "~~~~~~~~~~~~", "############"});
    game_.graceTicks = 8;
    Tick(3);
    EXPECT_FALSE(game_.dying);
}

using PrizeTest = GameTest;

// The left column's block opens first: its draws come first from the random
// source (new tile, then the prize), then the right column's.
TEST_F(PrizeTest, LeftBlockDrawsFirst) {
    Play({"............", "............", "............", "............", "............",
          "....??......", "....S.......", "############"});
    game_.playerX = 4 * 32 + 12;
    RandomSource replay = game_.random;  // the same state from here on
    Press(kKeyUp);
    Tick(2);
    for (int column : {4, 5}) {
        EXPECT_EQ(game_.TileAt(column, 5), 1 + replay.Below(6)) << column;
        switch (replay.Below(3)) {
            case 0:
                EXPECT_EQ(game_.TileAt(column, 4), 8 + replay.Below(4)) << column;
                break;
            case 1:
                EXPECT_EQ(game_.TileAt(column, 4), 18 + replay.Below(2)) << column;
                break;
            default: {
                const int facing = replay.Below(2);
                const int kind = replay.Below(10);
                const auto it = std::find_if(game_.actors.begin(), game_.actors.end(),
                                             [&](const Actor& a) { return a.x == column * 32; });
                ASSERT_NE(it, game_.actors.end()) << column;
                EXPECT_EQ(it->kind, kind);
                EXPECT_EQ(it->dir, facing != 0 ? 1 : 0);
                break;
            }
        }
    }
}

}  // namespace
}  // namespace tovek::testing
