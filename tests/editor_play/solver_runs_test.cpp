// The stage check's search in the background: each character's answer, its
// route in the editor's cells, its playback, and Cancel.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "common/sheets.h"
#include "editor/check/solver_runs.h"
#include "editor/core/geometry.h"
#include "editor/play/play_test.h"
#include "tests/support/temp_folder.h"

namespace quorle {
namespace {

class FixedClock : public tovek::GameClock {
  public:
    int SecondsField() override { return 0; }
    std::uint64_t RandomSeed() override { return 99; }
};

// 16 x 8: floor, the start at (1, 6), a two-cell step, the goal at (14, 6).
tovek::EditorStage Runway(bool withGoal) {
    tovek::EditorStage stage{.background = 0, .width = 16, .height = 8, .cells = {}};
    stage.cells.resize(16 * 8);
    const auto at = [&stage](int x, int y) -> MapCell& { return stage.cells[y * 16 + x]; };
    for (int x = 0; x < 16; ++x)
        at(x, 7).mainTile = 1;
    at(7, 6).mainTile = 3;
    at(1, 6).mainTile = 16;
    if (withGoal) at(14, 6).mainTile = 17;
    return stage;
}

bool WaitUntilFinished(const SolverRuns& runs) {
    for (int i = 0; i < 6000 && !runs.Finished(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return runs.Finished();
}

class SolverRunsTest : public ::testing::Test {
  protected:
    SolverRunsTest() {
        std::ofstream(folder_.Path() / "Tovek.ini") << "[Customize]\nHMirror=1\nTSpeed=1\n";
    }
    tovek::test::TempFolder folder_;
};

TEST_F(SolverRunsTest, EachCharacterClearsAndItsRoutePlaysBackToTheSameClear) {
    SolverRuns runs(folder_.Path(), 9, Runway(true), 300'000);
    ASSERT_TRUE(WaitUntilFinished(runs));
    EXPECT_EQ(runs.Progress(), 1.0);
    const tovek::PictureSheets sheets = tovek::LoadPictureSheets();
    FixedClock clock;
    PlayTest play(folder_.Path(), clock, sheets, nullptr);
    for (const CharacterRun& run : runs.Runs()) {
        SCOPED_TRACE(run.character);
        ASSERT_TRUE(run.result.has_value()) << run.error;
        const tovek::SolverResult& result = *run.result;
        ASSERT_TRUE(result.cleared);
        const std::int64_t tenths = result.tick * 60 / 100;
        EXPECT_EQ(runs.RunText(run), CharacterName(run.character) + ": クリアできます。" +
                                         std::to_string(result.tick) + "ティック（" +
                                         std::to_string(tenths / 10) + "." +
                                         std::to_string(tenths % 10) + "秒）でゴール、スコア" +
                                         std::to_string(result.score) + "点");
        // The game's map is mirrored; the route is in the editor's.
        const std::vector<RoutePoint> route = runs.EditorRoute(result);
        ASSERT_EQ(route.size(), static_cast<std::size_t>(result.tick) + 1);
        EXPECT_EQ(route.front(), (RoutePoint{1 * kCell, 6 * kCell}));
        EXPECT_GE(route.back().x, 13 * kCell);

        play.StartReplay({.stage = runs.Stage(),
                          .stageNumber = runs.StageNumber(),
                          .startCell = {},
                          .character = run.character},
                         runs.Seed(), result.keys);
        for (std::int64_t tick = 1; tick <= result.tick; ++tick) {
            ASSERT_FALSE(play.State().stageCleared) << tick;
            play.Tick();
        }
        EXPECT_TRUE(play.State().stageCleared);
        EXPECT_EQ(play.State().score, result.score);
    }
}

TEST_F(SolverRunsTest, CancelEndsTheSearchAndAStageWithoutAGoalIsNotSearched) {
    tovek::EditorStage walledIn = Runway(true);
    for (int y = 0; y < 7; ++y)
        walledIn.cells[static_cast<std::size_t>(y * 16 + 12)].mainTile = 6;
    SolverRuns runs(folder_.Path(), 1, walledIn);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    runs.Cancel();
    ASSERT_TRUE(WaitUntilFinished(runs));
    for (const CharacterRun& run : runs.Runs()) {
        EXPECT_EQ(runs.RunText(run), CharacterName(run.character) + ": 中止しました。");
    }

    SolverRuns noGoal(folder_.Path(), 1, Runway(false));
    EXPECT_TRUE(noGoal.Finished());
    EXPECT_EQ(noGoal.RunText(noGoal.Runs()[2]),
              "2 重量型: ゴールがないので、クリアの手順は探しません。");
}

}  // namespace
}  // namespace quorle
