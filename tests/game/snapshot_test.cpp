// The seams that let a game in play be copied, started from memory and kept
// from writing records.
#include "common/stage_file.h"
#include "game/core/high_scores.h"
#include "game/core/keyboard.h"
#include "game/core/stage_loading.h"
#include "game/sim/state_line.h"
#include "tests/game/game_fixture.h"

namespace tovek::testing {
namespace {

using SnapshotTest = GameTest;

// Prize blocks, a hopper, a walker, a spawner, a lift and a drop lift: a
// stage whose future depends on the random source and every table.
const std::vector<std::string> kBusyRoom = {
    "................", "................", "....??..........", "................",
    "..........c.....", "S.............G.", "######..########", "################",
};
const std::vector<Placement> kBusyObjects = {
    {7, 5, 37}, {10, 5, 32}, {12, 5, 47}, {6, 6, 0, 13}, {3, 4, 0, 26},
};

std::string Line(const Game& game, int tick) {
    return StateLine(game, tick, {}, true);
}

TEST_F(SnapshotTest, RestoringReplaysTheSameRun) {
    Play(kBusyRoom, kBusyObjects);
    Press(kKeyRight);
    Tick(6);
    GameSnapshot snapshot;
    game_.TakeSnapshot(snapshot);
    const std::int64_t snapshotTick = tick_;

    std::vector<std::string> first;
    const auto run = [&](std::vector<std::string>& lines) {
        Press(kKeyUp);
        for (int i = 0; i < 40; ++i) {
            Tick();
            if (i == 3) Release(kKeyUp);
            lines.push_back(Line(game_, static_cast<int>(tick_)));
        }
    };
    run(first);
    ASSERT_NE(first.front(), first.back());

    game_.Restore(snapshot);
    tick_ = snapshotTick;
    std::vector<std::string> second;
    run(second);
    EXPECT_EQ(first, second);
}

TEST_F(SnapshotTest, StageFromMemoryStartsAsTheSameStageFromItsFile) {
    const EditorStage stage = StageFromText(kBusyRoom, kBusyObjects);
    WriteSettings("HMirror=1\n");
    Play(kBusyRoom, kBusyObjects);
    const std::string fromFile = Line(game_, 0);

    ResetPlayState(game_);
    const auto decoded =
        GameStageFromEditorStage(stage, game_.mirrorHorizontal, game_.mirrorVertical);
    ASSERT_TRUE(decoded);
    game_.random.Seed(1);
    StartStage(game_, 1, *decoded);
    EXPECT_EQ(Line(game_, 0), fromFile);
}

TEST_F(SnapshotTest, NoRecordsKeepsARecordInMemoryOnlyAndNeverAnnouncesIt) {
    NoRecords none;
    game_.services.records = &none;
    Play({"............", "............", "............", "............", "............",
          "............", "S.G.........", "############"});
    Press(kKeyRight);
    Tick(10);
    ASSERT_TRUE(game_.stageCleared);
    EXPECT_GT(game_.highScores[0], 0);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "data" / "hscore.dat"));
    const std::int32_t higher = game_.highScores[0] + 1;
    EXPECT_FALSE(UpdateStageHighScore(game_, 1, higher).newRecord);
    EXPECT_EQ(game_.highScores[0], higher);
}

}  // namespace
}  // namespace tovek::testing
