// Actor motion by kind, the spawner, hidden kinds and the stomp rule.
#include "game/core/actors.h"

#include "game/core/keyboard.h"
#include "tests/game/game_fixture.h"

namespace tovek::testing {
namespace {

class ActorsTest : public GameTest {
  protected:
    // A room whose floor runs from wall to wall, with actors on it.
    void PlayRoom(const std::vector<Placement>& actors) {
        Play({"S...........", "............", "............", "............", "............",
              "............", "............", "############"},
             actors);
    }

    // Moves actor i one tick (both halves) and returns its position.
    std::pair<int, int> Step(int i) {
        MoveActorX(game_, i);
        MoveActorY(game_, i);
        return {game_.actors[i].x, game_.actors[i].y};
    }
};

TEST_F(ActorsTest, WalkerWithOneColumnTurnsEveryTick) {
    Play({"S...........", "............", "............", "............", "............",
          "............", "............", "############"},
         {{5, 3, 48}});  // in the air: its range is its own column
    std::vector<int> xs;
    for (int i = 0; i < 4; ++i)
        xs.push_back(Step(0).first);
    EXPECT_EQ(xs, (std::vector<int>{162, 160, 162, 160}));
}

TEST_F(ActorsTest, WalkersPatrolTheirRangeAtTheirSpeed) {
    PlayRoom({{5, 6, 48}, {5, 5, 33}});
    const Actor& slow = game_.actors[1];
    ASSERT_EQ(slow.lo, 0);
    ASSERT_EQ(slow.hi, 11);
    for (int i = 0; i < 100; ++i) {
        const int before = game_.actors[1].x;
        Step(1);
        EXPECT_EQ(std::abs(game_.actors[1].x - before), 2);
        EXPECT_GE(game_.actors[1].x, 0);
        EXPECT_LE(game_.actors[1].x, 11 * 32);
    }
    const int before = game_.actors[0].x;
    Step(0);
    EXPECT_EQ(std::abs(game_.actors[0].x - before), 4);  // kind 1 in the air: 4 and back
}

TEST_F(ActorsTest, ChaserTurnsTowardThePlayer) {
    PlayRoom({{6, 6, 34}});
    game_.playerX = 0;
    Step(0);
    EXPECT_EQ(game_.actors[0].dir, 0);
    game_.playerX = 300;
    Step(0);
    EXPECT_EQ(game_.actors[0].dir, 1);
    game_.playerX = static_cast<std::int16_t>(game_.actors[0].x + 4);
    Step(0);  // now exactly at the player: keeps its direction
    EXPECT_EQ(game_.actors[0].x, game_.playerX);
    EXPECT_EQ(game_.actors[0].dir, 1);
}

TEST_F(ActorsTest, VerticalMoverPatrolsBetweenFloorAndCeiling) {
    PlayRoom({{6, 4, 52}});  // code 52: kind 4 moving down
    int low = 1000;
    int high = -1000;
    for (int i = 0; i < 100; ++i) {
        const int y = Step(0).second;
        low = std::min(low, y);
        high = std::max(high, y);
    }
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 6 * 32);
}

TEST_F(ActorsTest, HoppersRiseSixtyFourPixelsEverySixteenTicks) {
    PlayRoom({{6, 6, 37}});
    std::vector<int> ys;
    for (int i = 0; i < 32; ++i)
        ys.push_back(Step(0).second);
    EXPECT_EQ(*std::min_element(ys.begin(), ys.end()), 6 * 32 - 64);
    EXPECT_EQ(*std::max_element(ys.begin(), ys.end()), 6 * 32);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(ys[i], ys[i + 16]);
}

TEST_F(ActorsTest, SineFlyerSwingsFortyEightPixelsInTwentyFourTicks) {
    PlayRoom({{6, 3, 40}});
    std::vector<int> ys;
    for (int i = 0; i < 48; ++i)
        ys.push_back(Step(0).second);
    EXPECT_EQ(*std::min_element(ys.begin(), ys.end()), 96 - 48);
    EXPECT_EQ(*std::max_element(ys.begin(), ys.end()), 96 + 48);
    EXPECT_EQ(ys[5], 96 - 48);  // 90 degrees after six steps of 15
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(ys[i], ys[i + 24]);
}

TEST_F(ActorsTest, PopUpIsHomeTenTicksOfForty) {
    PlayRoom({{6, 6, 41}});
    int atHome = 0;
    for (int i = 0; i < 40; ++i) {
        const auto [x, y] = Step(0);
        EXPECT_TRUE(x == 6 * 32 || x == -64) << x;
        if (x == 6 * 32) ++atHome;
    }
    EXPECT_EQ(atHome, 10);
}

TEST_F(ActorsTest, SpawnerMakesActiveActorsOnlyAtWholeCells) {
    PlayRoom({{2, 6, 47}});
    const int budget = game_.actors[0].extra;
    ASSERT_EQ(budget, 11);
    for (int i = 0; i < 2000; ++i) {
        const int count = game_.actorCount();
        MoveActorX(game_, 0);
        if (game_.actorCount() > count) {
            EXPECT_EQ(game_.actors[0].x % 32, 0);
            EXPECT_TRUE(game_.actors.back().active);
        }
    }
    EXPECT_EQ(game_.actorCount(), 1 + budget);
    EXPECT_EQ(game_.actors[0].extra, 0);
}

TEST_F(ActorsTest, SpawnerOnOneColumnNeverSpawns) {
    PlayRoom({{2, 2, 47}});
    EXPECT_EQ(game_.actors[0].extra, 0);
    for (int i = 0; i < 200; ++i)
        MoveActorX(game_, 0);
    EXPECT_EQ(game_.actorCount(), 1);
}

TEST_F(ActorsTest, StillKindsNeverMove) {
    PlayRoom({{3, 6, 42}, {4, 6, 43}, {5, 6, 44}, {6, 6, 45}});
    for (int i = 0; i < 20; ++i) {
        for (int a = 0; a < 4; ++a) {
            const auto [x, y] = Step(a);
            EXPECT_EQ(x, (3 + a) * 32);
            EXPECT_EQ(y, 6 * 32);
        }
    }
}

TEST_F(ActorsTest, HiddenKindShowsOnlyBetweenSteps) {
    PlayRoom({{6, 6, 46}});
    const int real = game_.actors[0].extra;
    Step(0);
    EXPECT_EQ(game_.actors[0].kind, 14);
    EXPECT_EQ(game_.actors[0].extra, real);
    game_.actors[0].state = -1;
    Step(0);
    EXPECT_EQ(game_.actors[0].kind, real);  // knocked out: stays revealed
}

TEST_F(ActorsTest, KnockedOutActorsFallOutOfTheMap) {
    PlayRoom({{6, 6, 32}});
    game_.actors[0].state = -1;
    std::vector<int> ys;
    for (int i = 0; i < 6; ++i)
        ys.push_back(Step(0).second);
    EXPECT_EQ(ys, (std::vector<int>{208, 224, 240, 256, 256, 256}));
}

TEST_F(ActorsTest, StompsChainAndScore) {
    PlayRoom({{6, 6, 32}, {7, 6, 32}, {8, 6, 32}});
    game_.playerX = 6 * 32;
    game_.chainCount = 0;
    for (int i = 0; i < 3; ++i) {
        Actor& actor = game_.actors[i];
        actor.mark = 0;
        game_.previousX = game_.playerX = actor.x;
        game_.previousY = static_cast<std::int16_t>(actor.y - 40);
        game_.playerY = static_cast<std::int16_t>(actor.y - 20);
        game_.stepShiftY = 20;
        TestPlayerActors(game_);
        EXPECT_EQ(game_.actors[i].state, -1);
        EXPECT_EQ(game_.playerY, game_.actors[i].y - 32);
        EXPECT_EQ(game_.playerSpeedY, -4);
        game_.soundStartedThisTick = false;
    }
    EXPECT_EQ(game_.chainCount, 3);
    EXPECT_EQ(game_.score, 30 + 60 + 90);
    EXPECT_EQ(sound_.TakeLastStarted(), 3);
}

TEST_F(ActorsTest, StompComparesDisplacementsNotDirections) {
    PlayRoom({{6, 4, 37}});
    const auto meet = [&](int actorMark) {
        Actor& hopper = game_.actors[0];
        hopper.state = 0;
        hopper.mark = static_cast<std::int16_t>(actorMark);
        game_.previousX = game_.playerX = hopper.x;
        game_.previousY = static_cast<std::int16_t>(hopper.y - 30);
        game_.playerY = static_cast<std::int16_t>(hopper.y - 28);
        game_.stepShiftY = 2;
        game_.dying = false;
        TestPlayerActors(game_);
    };
    meet(-3);  // the player falls 2 while the hopper rises 3: a stomp
    EXPECT_EQ(game_.actors[0].state, -1);
    EXPECT_FALSE(game_.dying);
    meet(6);  // the hopper falls faster than the player: a hurt
    EXPECT_EQ(game_.actors[0].state, 0);
    EXPECT_TRUE(game_.dying);
}

TEST_F(ActorsTest, SideContactHurtsUnlessInGrace) {
    PlayRoom({{6, 6, 32}});
    game_.previousX = game_.playerX = 6 * 32 - 10;
    game_.previousY = game_.playerY = 6 * 32;
    game_.stepShiftY = 0;
    game_.graceTicks = 3;
    TestPlayerActors(game_);
    EXPECT_FALSE(game_.dying);
    game_.graceTicks = 0;
    TestPlayerActors(game_);
    EXPECT_TRUE(game_.dying);
    EXPECT_EQ(game_.deathY, game_.playerY);
}

TEST_F(ActorsTest, SweptBoxCatchesAFastPlayer) {
    game_.previousX = 0;
    game_.playerX = 100;
    game_.previousY = game_.playerY = 0;
    EXPECT_TRUE(BoxesOverlap(game_, 50, 4, 24, 24));     // passed through between ticks
    EXPECT_FALSE(BoxesOverlap(game_, 124, 4, 24, 24));   // ax >= R + 24
    EXPECT_FALSE(BoxesOverlap(game_, -16, 4, 24, 24));   // L + 8 - w >= ax
    EXPECT_FALSE(BoxesOverlap(game_, 50, 33, 24, 24));   // ay > B + 32
    EXPECT_FALSE(BoxesOverlap(game_, 50, -25, 24, 24));  // ay < T - h
}

}  // namespace
}  // namespace tovek::testing
