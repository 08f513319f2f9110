// The solver on small stages that each need one ability, its replay in
// tovek-sim, and its answer's independence from threads.
#include "game/solver/solver.h"

#include <sstream>

#include "common/stage_limits.h"
#include "game/sim/simulation.h"
#include "game/solver/journey.h"
#include "tests/game/game_fixture.h"

namespace tovek::testing {
namespace {

struct AbilityStage {
    const char* name;
    std::vector<std::string> rows;
    std::vector<Placement> objects = {};
};

// Lift codes: 13 moves right, 26 drops; actor code 42 stands still. Only a
// stomp's rebound with H lifts the player a whole cell, so the chain of three
// is the one way up.
const std::vector<AbilityStage> kAbilityStages = {
    {"PortPairThroughAWall",
     {"................", "................", "......##........", "......##........",
      "......##........", "......##........", "S.....##......G.", "##.v####..v#####"}},
    {"LiftOverAWideGap",
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "S..................G", "###............#####"},
     {{3, 6, 0, 13}}},
    {"DiveUnderAWall",
     {"..............", "..............", "..............", "......##......", "S.O...##....G.",
      "##~~~~##~~~~##", "##~~~~~~~~~~##", "##############"}},
    {"SpringToALedge",
     {"............", "............", "............", "..........G.", "........####",
      "........####", "S.....s.####", "############"}},
    {"SwitchOpensTheWay",
     {"..............", "..............", "..............", "..............", "..............",
      "..............", "k.S.......K.G.", "##############"}},
    {"GoalLeftOfTheStart",
     {"..............", "..............", "..............", "..............", "..............",
      "..............", ".G.........S..", "##############"}},
    {"DropLiftsOverAPit",
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "S..................G", "###..............###"},
     {{4, 6, 0, 26}, {8, 6, 0, 26}, {12, 6, 0, 26}, {16, 6, 0, 26}}},
    {"StompChainUpWithH",
     {"..............", "..............", "..........G...", ".........#####", ".........#....",
      ".........#....", ".........#....", "S.H......#....", "##############"},
     {{5, 5, 42}, {6, 4, 42}, {7, 3, 42}}},
};

class SolverTest : public GameTest {
  protected:
    SolverResult Solve(int character, std::uint64_t seed = 1, int threads = 1,
                       std::int64_t budget = 3'000'000) {
        WriteSettings("Chara=" + std::to_string(character) + "\n");
        SolverSetup setup;
        setup.programFolder = folder_;
        setup.seed = seed;
        SolverOptions options;
        options.budget = budget;
        options.threads = threads;
        std::string error;
        const auto result = SolveStage(setup, options, &error);
        EXPECT_TRUE(result) << error;
        return result.value_or(SolverResult{});
    }

    // tovek-sim's run with the found keys reaches the clear on the reported
    // tick, without a miss on the way.
    void ExpectReplayClears(const SolverResult& result, std::uint64_t seed = 1) {
        SimOptions options;
        options.dir = folder_;
        options.stage = 1;
        options.seed = seed;
        options.ticks = result.tick;
        std::ostringstream out;
        std::ostringstream warnings;
        std::string error;
        ASSERT_EQ(RunSimulation(options, result.keys, out, warnings, error), 0) << error;
        std::istringstream lines(out.str());
        std::string line;
        std::string last;
        int tick = 0;
        while (std::getline(lines, line)) {
            last = line;
            EXPECT_EQ(line.find("\"dying\": true"), std::string::npos) << "tick " << tick;
            EXPECT_EQ(line.find("\"gameOver\": true"), std::string::npos) << "tick " << tick;
            const bool cleared = line.find("\"stageCleared\": true") != std::string::npos;
            EXPECT_EQ(cleared, tick == result.tick) << "tick " << tick;
            ++tick;
        }
        EXPECT_EQ(tick, result.tick + 1);
        EXPECT_NE(last.find("\"score\": " + std::to_string(result.score) + ","), std::string::npos);
    }
};

TEST_F(SolverTest, ClearsEveryAbilityStageAndTovekSimReplaysIt) {
    for (const AbilityStage& stage : kAbilityStages) {
        SCOPED_TRACE(stage.name);
        WriteStage(1, StageFromText(stage.rows, stage.objects));
        const SolverResult result = Solve(0);
        ASSERT_TRUE(result.cleared);
        ExpectReplayClears(result);
    }
}

TEST_F(SolverTest, TheHeavyCharacterCrossesTheDropLiftsToo) {
    const AbilityStage& stage = kAbilityStages[6];
    WriteStage(1, StageFromText(stage.rows, stage.objects));
    const SolverResult result = Solve(2);
    ASSERT_TRUE(result.cleared);
    EXPECT_EQ(result.character, 2);
    ExpectReplayClears(result);
}

// The goal sits on a ledge straight above the start with open air between; the
// way up is the stairs far to the right. A search led by the air's shortness
// spends its budget under the ledge.
TEST_F(SolverTest, AGoalHighAboveIsSoughtAlongTheStairsNotThroughTheAir) {
    WriteStage(1, StageFromText({"..............................", ".G............................",
                                 "###...........................", "..............................",
                                 ".....###############..........", "..............................",
                                 "......................##......", "..............................",
                                 "..........................##..", "..............................",
                                 "......................##......", "..............................",
                                 "..........................##..", "S.............................",
                                 "##############################"}));
    const SolverResult result = Solve(0, 1, 1, 150'000);
    ASSERT_TRUE(result.cleared);
    ExpectReplayClears(result);
}

TEST_F(SolverTest, AWalledOffGoalEndsUnclearedWithTheClosestApproach) {
    WriteStage(1, StageFromText({"............", "............", "............", "............",
                                 "........####", "........#G.#", "S.......####", "############"}));
    const SolverResult result = Solve(0, 1, 1, 400'000);
    EXPECT_FALSE(result.cleared);
    EXPECT_TRUE(result.keys.empty());
    EXPECT_LE(result.ticksSimulated, 400'000);
    ASSERT_TRUE(result.closest.cellsToGoal);
    EXPECT_EQ(*result.closest.cellsToGoal, 2);  // on the roof of the box
}

TEST_F(SolverTest, TheAnswerDependsOnTheArgumentsOnly) {
    const AbilityStage& stage = kAbilityStages[1];
    WriteStage(1, StageFromText(stage.rows, stage.objects));
    const SolverResult first = Solve(1, 3);
    const SolverResult again = Solve(1, 3);
    const SolverResult threaded = Solve(1, 3, 2);
    ASSERT_TRUE(first.cleared);
    EXPECT_EQ(FormatKeyScript(first.keys), FormatKeyScript(again.keys));
    EXPECT_EQ(FormatKeyScript(first.keys), FormatKeyScript(threaded.keys));
    EXPECT_EQ(first.ticksSimulated, threaded.ticksSimulated);
    ExpectReplayClears(first, 3);
}

// The last two stages in one session: the second is solved from where the
// first left the game, and tovek-sim plays the whole run to the message that
// the stages are over.
TEST_F(SolverTest, AJourneyPlaysOnThroughTheLastStage) {
    WriteStage(99, StageFromText(kAbilityStages[4].rows));
    WriteStage(kStageCount, StageFromText(kAbilityStages[0].rows));
    WriteSettings("Chara=1\n");
    SolverSetup setup;
    setup.programFolder = folder_;
    setup.stage = 99;
    SolverOptions options;
    options.budget = 3'000'000;
    std::string error;
    const auto journey = SolveJourney(setup, options, nullptr, &error);
    ASSERT_TRUE(journey) << error;
    ASSERT_TRUE(journey->complete);
    ASSERT_EQ(journey->legs.size(), 2u);
    EXPECT_EQ(journey->legs[1].stage, kStageCount);

    SimOptions sim;
    sim.dir = folder_;
    sim.stage = 99;
    sim.ticks = journey->keys.back().tick;
    std::ostringstream out;
    std::ostringstream warnings;
    ASSERT_EQ(RunSimulation(sim, journey->keys, out, warnings, error), 0) << error;
    EXPECT_EQ(out.str().find("\"dying\": true"), std::string::npos);
    const std::string last = out.str().substr(out.str().rfind('\n', out.str().size() - 2));
    EXPECT_NE(last.find("ステージが最後まで終わりました。"), std::string::npos);
}

}  // namespace
}  // namespace tovek::testing
