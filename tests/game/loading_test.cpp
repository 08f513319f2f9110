// Loading a stage and building its lifts and actors.
#include <fstream>

#include "common/stage_naming.h"
#include "game/core/keyboard.h"
#include "game/core/stage_loading.h"
#include "tests/game/game_fixture.h"

namespace tovek::testing {
namespace {

using LoadingTest = GameTest;

const std::vector<std::string> kRoom = {
    "............", "............", "............", "............",
    "............", "..#.........", "S...........", "############",
};

TEST_F(LoadingTest, StartCellPlacesThePlayerFacingRight) {
    Play(kRoom);
    EXPECT_EQ(game_.playerX, 0);
    EXPECT_EQ(game_.playerY, 6 * 32);
    EXPECT_EQ(game_.startX, 0);
    EXPECT_EQ(game_.startY, 6 * 32);
    EXPECT_EQ(game_.playerFacing, 1);
    EXPECT_EQ(game_.TileAt(0, 6), 16);  // the start marker stays in the map
    EXPECT_EQ(game_.lblMain[0], "ステージ1");
    EXPECT_EQ(game_.speedLimit, 10);
    EXPECT_FLOAT_EQ(game_.arcFactor, 1.08f);
}

TEST_F(LoadingTest, HorizontalMirrorSwapsColumnsAndFacing) {
    WriteSettings("HMirror=1\n");
    Play(kRoom, {{2, 6, 32, 12}});
    EXPECT_EQ(game_.playerX, 11 * 32);
    EXPECT_EQ(game_.playerFacing, 0);
    EXPECT_EQ(game_.TileAt(9, 5), 1);
    ASSERT_EQ(game_.actorCount(), 1);
    EXPECT_EQ(game_.actors[0].x, 9 * 32);
    EXPECT_EQ(game_.actors[0].dir, 1);  // code 32 faces the other way when mirrored
    ASSERT_EQ(game_.liftCount(), 1);
    EXPECT_EQ(game_.lifts[0].type, 1);  // a left-moving lift moves right when mirrored
}

TEST_F(LoadingTest, ZeroSizedStageCountsAsMissing) {
    StartGame();
    const std::uint8_t bytes[] = {0, 1, 0, 0, 8};
    std::ofstream(StageFilePath(folder_ / "data", 4), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes), sizeof bytes);
    game_.stageNumber = 4;
    Press(kKeySpace);
    EXPECT_FALSE(game_.inPlay);
    EXPECT_EQ(game_.lblMain[0], "データ4にはデータがありません。");
}

// No stage needs more than its groups: the rest of a file of gigabytes is
// never read, and the stage loads as it would from the whole file.
TEST_F(LoadingTest, AHugeStageFileLoadsAsTheStageAtItsStart) {
    WriteStage(1, StageFromText(kRoom));
    std::filesystem::resize_file(StageFilePath(folder_ / "data", 1), std::uintmax_t{4} << 30);
    StartGame();
    Press(kKeySpace);
    ASSERT_TRUE(game_.inPlay);
    EXPECT_EQ(game_.TileAt(2, 5), 1);
    EXPECT_EQ(game_.playerY, 6 * 32);
}

TEST_F(LoadingTest, LiftsComeBeforeActorsInReadingOrder) {
    Play(kRoom, {{3, 2, 40, 13}, {1, 2, 0, 26}, {5, 1, 0, 18}, {4, 4, 0, 15}});
    // Loading draws the first frame, which wakes everything in view.
    ASSERT_EQ(game_.liftCount(), 4);
    EXPECT_EQ(game_.lifts[0], (Lift{160, 32, 2, true, false, false, 1}));
    EXPECT_EQ(game_.lifts[1], (Lift{32, 66, 4, true, false, false, 66}));
    EXPECT_EQ(game_.lifts[2], (Lift{96, 66, 1, true, false, false, 0}));
    EXPECT_EQ(game_.lifts[3], (Lift{128, 128, 3, true, false, false, 0}));
    ASSERT_EQ(game_.actorCount(), 1);
    EXPECT_EQ(game_.actors[0].kind, 8);
    // The restart copies are taken before that first frame.
    ASSERT_EQ(game_.liftsAtStart.size(), game_.lifts.size());
    for (std::size_t i = 0; i < game_.lifts.size(); ++i) {
        Lift asLoaded = game_.lifts[i];
        asLoaded.active = false;
        EXPECT_EQ(game_.liftsAtStart[i], asLoaded) << i;
    }
    ASSERT_EQ(game_.actorsAtStart.size(), 1u);
    EXPECT_FALSE(game_.actorsAtStart[0].active);
}

TEST_F(LoadingTest, EveryLiftCodeMakesItsLift) {
    const std::vector<std::pair<int, Lift>> expected = {
        {12, {0, 2, 0, false, false, false, 0}}, {13, {0, 2, 1, false, false, false, 0}},
        {14, {0, 0, 2, false, false, false, 0}}, {15, {0, 0, 3, false, false, false, 0}},
        {16, {0, 2, 0, false, false, false, 1}}, {17, {0, 2, 1, false, false, false, 1}},
        {18, {0, 0, 2, false, false, false, 1}}, {19, {0, 0, 3, false, false, false, 1}},
        {26, {0, 2, 4, false, false, false, 2}},
    };
    game_.mapWidth = 1;
    game_.mapHeight = 1;
    game_.tileMap = {0};
    for (const auto& [code, lift] : expected) {
        game_.lifts.clear();
        BuildWorld(game_, {static_cast<std::uint8_t>(code)}, {0});
        ASSERT_EQ(game_.liftCount(), 1) << code;
        EXPECT_EQ(game_.lifts[0], lift) << code;
    }
    game_.lifts.clear();
    BuildWorld(game_, {30}, {0});  // two drop-lift bytes in one cell: no lift
    EXPECT_EQ(game_.liftCount(), 0);
}

TEST_F(LoadingTest, WalkersKeepToTheirFloorRun) {
    Play({"............", "............", "............", "............", "............",
          "....#.......", "S...........", "###..#####.#"},
         {{7, 6, 32}, {4, 4, 32}, {1, 3, 32}, {8, 6, 35}, {9, 6, 40}});
    ASSERT_EQ(game_.actorCount(), 5);
    // Reading order: (1,3), (4,4), (7,6), (8,6), (9,6).
    // On the floor run from column 5 (a gap at 3..4) to column 9 (a gap at 10).
    EXPECT_EQ(game_.actors[2].lo, 5);
    EXPECT_EQ(game_.actors[2].hi, 9);
    // On a lone block: the cell below is solid, both sides have no floor.
    EXPECT_EQ(game_.actors[1].lo, 4);
    EXPECT_EQ(game_.actors[1].hi, 4);
    // In the air: stays in its own column.
    EXPECT_EQ(game_.actors[0].lo, 1);
    EXPECT_EQ(game_.actors[0].hi, 1);
    // Kinds 3 and 8 ignore ledges: wall to wall.
    EXPECT_EQ(game_.actors[3].lo, 0);
    EXPECT_EQ(game_.actors[3].hi, 11);
    EXPECT_EQ(game_.actors[4].lo, 0);
    EXPECT_EQ(game_.actors[4].hi, 11);
}

TEST_F(LoadingTest, VerticalPatrolSpansFloorToCeiling) {
    Play({"............", "....#.......", "............", "............", "............",
          "............", "S...........", "############"},
         {{4, 4, 36}});
    ASSERT_EQ(game_.actorCount(), 1);
    EXPECT_EQ(game_.actors[0].lo, 2);
    EXPECT_EQ(game_.actors[0].hi, 6);
}

TEST_F(LoadingTest, KindsGetTheirStartValues) {
    Play(kRoom, {{6, 6, 37}, {7, 6, 40}, {8, 6, 41}, {4, 6, 47}, {1, 1, 46}});
    ASSERT_EQ(game_.actorCount(), 5);
    const Actor& hidden = game_.actors[0];
    EXPECT_EQ(hidden.kind, 14);
    EXPECT_GE(hidden.extra, 0);
    EXPECT_LE(hidden.extra, 9);
    const Actor& spawner = game_.actors[1];
    EXPECT_EQ(spawner.kind, 15);
    EXPECT_EQ(spawner.extra, spawner.hi - spawner.lo);
    const Actor& hopper = game_.actors[2];
    EXPECT_EQ(hopper.home, 6 * 32 - 64);
    EXPECT_EQ(hopper.vy, -8);
    const Actor& flyer = game_.actors[3];
    EXPECT_EQ(flyer.home, 6 * 32);
    EXPECT_EQ(flyer.vy, 0);
    const Actor& popUp = game_.actors[4];
    EXPECT_EQ(popUp.lo, 10);
    EXPECT_EQ(popUp.home, 8 * 32);
}

}  // namespace
}  // namespace tovek::testing
