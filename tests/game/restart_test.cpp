// The rolling restart point and the continue that returns to it.
#include "game/core/keyboard.h"
#include "game/core/stage_loading.h"
#include "tests/game/game_fixture.h"

namespace tovek::testing {
namespace {

class RestartTest : public GameTest {
  protected:
    void SetUp() override {
        std::vector<std::string> rows(8, std::string(40, '.'));
        rows[6][1] = 'S';
        rows[7] = std::string(40, '#');
        // A still actor in view, one far off the view, a lift in view.
        Play(rows, {{5, 6, 42}, {35, 6, 42}, {8, 3, 0, 13}});
    }

    // Ends the life and continues from the restart point.
    void MissAndContinue() {
        game_.dying = true;
        game_.deathY = game_.playerY;
        for (int i = 0; i < 20 && !game_.gameOver; ++i)
            Tick();
        ASSERT_TRUE(game_.gameOver);
        Press(kKeySpace);
    }
};

TEST_F(RestartTest, DefeatedActorsStayDefeatedAndUnseenOnesStayHome) {
    const Actor unseen = game_.actors[1];
    ASSERT_FALSE(unseen.active);
    game_.actors[0].state = -1;  // stomped
    Tick();                      // a tick on the ground moves the restart point
    MissAndContinue();
    EXPECT_EQ(game_.actors[0].state, -1);
    EXPECT_EQ(game_.actors[0].y, game_.mapHeight * 32);  // below the map: never returns
    EXPECT_EQ(game_.actors[1], unseen);
}

TEST_F(RestartTest, LiftsReturnToWhereTheyWereAtTheRestartPoint) {
    Tick(5);
    const Lift atRestart = game_.lifts[0];
    game_.graceTicks = 0;
    MissAndContinue();
    EXPECT_EQ(game_.lifts[0], atRestart);
    EXPECT_EQ(game_.playerX, game_.startX);
}

TEST_F(RestartTest, ActorsAddedDuringPlayComeBackAsTheyWere) {
    AddActor(game_, 6, 6, 32);  // as a prize block would
    game_.actors.back().active = true;
    const Actor added = game_.actors.back();
    Tick();
    ASSERT_EQ(game_.actorsAtStart.size(), game_.actors.size());
    MissAndContinue();
    ASSERT_EQ(game_.actorCount(), 3);
    EXPECT_EQ(game_.actors[2].kind, added.kind);
    EXPECT_EQ(game_.actors[2].y, 6 * 32);  // not a blank record at the map's corner
    EXPECT_TRUE(game_.actors[2].active);
}

TEST_F(RestartTest, RestartPointStaysWhileAirborne) {
    Press(kKeyUp);
    Tick();  // the jump starts at the end of this tick, from the ground
    const int startX = game_.startX;
    Press(kKeyRight);
    Tick(4);
    ASSERT_TRUE(game_.airborne);
    EXPECT_NE(game_.playerX, startX);
    EXPECT_EQ(game_.startX, startX);
}

}  // namespace
}  // namespace tovek::testing
