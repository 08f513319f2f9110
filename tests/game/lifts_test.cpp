// Lifts: shuttling, carrying, squeezing and the drop lift.
#include "game/core/keyboard.h"
#include "tests/game/game_fixture.h"

namespace tovek::testing {
namespace {

class LiftsTest : public GameTest {
  protected:
    // Lets the player settle on the lift under its start cell.
    void LandOnLift() {
        int ticks = 0;
        do {
            Tick();
        } while (game_.airborne && ++ticks < 10);
        Tick();
        ASSERT_FALSE(game_.airborne);
        ASSERT_EQ(game_.playerY, game_.lifts[0].y - 32);
    }
};

TEST_F(LiftsTest, HorizontalLiftCarriesExceptWhenItTurns) {
    Play({"............", "............", "............", "............", "........S...",
          "...#........", "............", "############"},
         {{8, 5, 0, 13}});
    LandOnLift();
    int turns = 0;
    for (int i = 0; i < 200; ++i) {
        const Lift before = game_.lifts[0];
        const int playerX = game_.playerX;
        Tick();
        const Lift& after = game_.lifts[0];
        EXPECT_GE(after.x, 3 * 32 - 2);  // turns as its leading edge enters the wall
        EXPECT_LE(after.x, 11 * 32);     // or leaves the map
        if (after.type != before.type) {
            ++turns;
            EXPECT_EQ(game_.playerX, playerX) << "carried in the turning tick";
        } else {
            EXPECT_EQ(game_.playerX - playerX, after.x - before.x);
        }
    }
    EXPECT_GE(turns, 2);
}

TEST_F(LiftsTest, FastLiftMovesFourPixelsATick) {
    Play({"............", "............", "............", "............", "............",
          "......S.....", "............", "############"},
         {{2, 3, 0, 17}});
    const int x = game_.lifts[0].x;
    Tick();
    EXPECT_EQ(game_.lifts[0].x, x + 4);
}

TEST_F(LiftsTest, RisingLiftPushesThePlayerUnderTheCeilingAndTurns) {
    Play({"............", ".....#......", "............", "............", ".....S......",
          "............", "............", "############"},
         {{5, 5, 0, 14}});
    LandOnLift();
    bool turned = false;
    for (int i = 0; i < 60; ++i) {
        Tick();
        EXPECT_GE(game_.playerY, 2 * 32) << "pushed into the ceiling";
        turned = turned || game_.lifts[0].type == 3;
    }
    EXPECT_TRUE(turned);
    EXPECT_FALSE(game_.dying);
}

TEST_F(LiftsTest, DropLiftSinksUnderThePlayerAndClimbsBackHome) {
    Play({"............", "............", "............", ".....S......", "............",
          "............", "............", "############"},
         {{5, 4, 0, 26}});
    const int home = game_.lifts[0].param;
    LandOnLift();
    const int y = game_.lifts[0].y;
    Tick(5);
    EXPECT_EQ(game_.lifts[0].y, y + 5 * 2);
    EXPECT_EQ(game_.playerY, game_.lifts[0].y - 32);

    Press(kKeyRight);  // walk off
    Tick(12);
    const int low = game_.lifts[0].y;
    EXPECT_LT(low, y + 5 * 2 + 12 * 2);
    Tick(20);
    EXPECT_EQ(game_.lifts[0].y, home);
}

TEST_F(LiftsTest, StandingOnALiftEndsChainsAndSprings) {
    Play({"............", "............", "............", "............", ".....S......",
          "............", "............", "############"},
         {{5, 5, 0, 26}});
    LandOnLift();
    game_.chainCount = 4;
    game_.springJump = true;
    Tick();
    EXPECT_EQ(game_.chainCount, 0);
    EXPECT_FALSE(game_.springJump);
}

TEST_F(LiftsTest, JumpingOffALiftIsNotCancelled) {
    Play({"............", "............", "............", "............", ".....S......",
          "............", "............", "############"},
         {{5, 5, 0, 26}});
    LandOnLift();
    const int y = game_.playerY;
    Press(kKeyUp);
    Tick(3);
    EXPECT_TRUE(game_.airborne);
    EXPECT_LT(game_.playerY, y - 20);
}

}  // namespace
}  // namespace tovek::testing
