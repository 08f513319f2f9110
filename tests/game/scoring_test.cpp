// The tally at the goal, the game-over screen and the records.
#include "game/core/scoring.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "common/high_score_file.h"
#include "game/core/high_scores.h"
#include "game/core/keyboard.h"
#include "game/core/reporting_record_store.h"
#include "game/core/startup.h"
#include "tests/game/game_fixture.h"

namespace tovek::testing {
namespace {

const std::vector<std::string> kShortStage = {
    "............", "............", "............", "............",
    "............", "............", "S.G.........", "############",
};

TEST(ParTime, FollowsTheMapSize) {
    EXPECT_EQ(ParSeconds(12, 8), 15);
    EXPECT_EQ(ParSeconds(100, 15), 234);
    EXPECT_EQ(ParSeconds(16, 3), 8);  // 7.5 rounds to even
    EXPECT_EQ(ParSeconds(1, 1), 1);   // never below one second
}

TEST(TimeBonus, FallsLinearlyToZeroAtPar) {
    EXPECT_EQ(TimeBonus(0, 15), 600);
    EXPECT_EQ(TimeBonus(3, 15), 480);
    EXPECT_EQ(TimeBonus(15, 15), 0);
    EXPECT_EQ(TimeBonus(40, 15), 0);
    EXPECT_EQ(TimeBonus(1, 16), 562);  // 562.5 rounds to even
}

class ScoringTest : public GameTest {
  protected:
    std::vector<char> RecordFile() {
        std::ifstream file(folder_ / "data" / "hscore.dat", std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    void RunToTheGoal() {
        Press(kKeyRight);
        for (int i = 0; i < 30 && !game_.stageCleared; ++i)
            Tick();
        Release(kKeyRight);
        ASSERT_TRUE(game_.stageCleared);
    }
};

TEST_F(ScoringTest, GoalShowsTheTallyAndStoresTheRecord) {
    WriteMusicFile();
    Play(kShortStage);
    music_.TakeWords();
    RunToTheGoal();
    EXPECT_EQ(game_.score, 600);
    EXPECT_EQ(game_.lblMain[0], "ステージクリア!! スペースキーで次の面へ");
    EXPECT_EQ(sound_.TakeLastStarted(), 0);
    const auto words = music_.TakeWords();
    ASSERT_GE(words.size(), 2u);
    EXPECT_EQ(words[0], "stop");
    EXPECT_EQ(words[1], "prev");
    EXPECT_EQ(GetStageHighScore(game_, 1), 600);

    Game later;
    later.programFolder = folder_;
    later.services = game_.services;
    Form_Load(later);
    EXPECT_EQ(GetStageHighScore(later, 1), 600);
}

TEST_F(ScoringTest, TheClockStopsOnTheTally) {
    Play(kShortStage);
    RunToTheGoal();
    const std::string status = game_.lblMain[1];
    const std::int16_t elapsed = game_.elapsedSeconds;
    Tick(40);
    EXPECT_EQ(game_.elapsedSeconds, elapsed);
    EXPECT_EQ(game_.lblMain[1], status);
}

TEST_F(ScoringTest, AnEqualScoreKeepsTheRecordFile) {
    Play(kShortStage);
    RunToTheGoal();
    const std::vector<char> first = RecordFile();
    ASSERT_EQ(first.size(), 202u);
    Press(kKeyEscape);
    tick_ = 0;  // the clock repeats the first run's seconds
    game_.lastSecondsField = 0;
    Press(kKeySpace);
    RunToTheGoal();
    EXPECT_EQ(game_.score, 600);
    EXPECT_EQ(RecordFile(), first);
}

TEST(RecordLine, TellsTheGainOrThatTheRecordWasNotSaved) {
    EXPECT_EQ(RecordLine({true, {}}, 779), "ハイスコアを779点更新!!");
    EXPECT_EQ(RecordLine({true, std::make_error_code(std::errc::read_only_file_system)}, 779),
              "ハイスコアを保存できませんでした");
    EXPECT_EQ(RecordLine({false, {}}, 0), "");
}

TEST_F(ScoringTest, RecordThatCannotBeWrittenIsKeptInMemoryAndReported) {
    // A folder in the record file's place: the file can be neither replaced nor removed.
    std::filesystem::create_directories(folder_ / "data" / "hscore.dat" / "kept");
    std::ostringstream report;
    ReportingRecordStore reporting(records_, report, "Tovek");
    game_.services.records = &reporting;
    Play(kShortStage);
    RunToTheGoal();
    EXPECT_EQ(GetStageHighScore(game_, 1), 600) << "kept for this run";
    EXPECT_NE(
        report.str().find("Tovek: the new record cannot be saved to " +
                          (folder_ / "data" / "hscore.dat").string() + ": not a regular file"),
        std::string::npos)
        << report.str();
    EXPECT_TRUE(std::filesystem::is_directory(folder_ / "data" / "hscore.dat" / "kept"));
}

TEST_F(ScoringTest, MissesCostAHundredEachAndTheScoreMayGoNegative) {
    Play(kShortStage);
    game_.score = 50;
    game_.misses = 1;
    game_.elapsedSeconds = 20;
    ShowStageClear(game_);
    EXPECT_EQ(game_.score, -50);
    EXPECT_EQ(GetStageHighScore(game_, 1), 0);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "data" / "hscore.dat"));
}

TEST_F(ScoringTest, GameOverWaitsForAKey) {
    Play({"............", "............", "............", "............", "............",
          "............", "Sx..........", "############"});
    Press(kKeyRight);
    int ticks = 0;
    while (!game_.gameOver && ticks < 40) {
        Tick();
        ++ticks;
    }
    ASSERT_TRUE(game_.gameOver);
    EXPECT_EQ(game_.lblMain[0], "ゲームオーバー!! スペースキーでコンティニュー");
    EXPECT_EQ(game_.playerY, 8 * 32);
    Tick(5);
    EXPECT_TRUE(game_.gameOver);
    EXPECT_FALSE(game_.airborne);
}

TEST_F(ScoringTest, DeathFallDropsOneHundredFortyFourPixels) {
    std::vector<std::string> rows(16, "............");
    rows[2] = "Sx..........";
    rows[3] = "############";
    rows[15] = "############";
    Play(rows);
    Press(kKeyRight);
    while (!game_.dying)
        Tick();
    const int start = game_.deathY;
    int ticks = 0;
    while (!game_.gameOver) {
        Tick();
        ++ticks;
    }
    EXPECT_EQ(game_.deathY, start + 144);
    EXPECT_EQ(ticks, 10);  // nine drops of 16, then the screen
}

TEST_F(ScoringTest, DeathFallEndsWhenItLeavesTheMap) {
    Play({"............", "............", "............", "............", "............",
          "............", "Sx..........", "############"});
    Press(kKeyRight);
    while (!game_.dying)
        Tick();
    while (!game_.gameOver)
        Tick();
    EXPECT_EQ(game_.deathY, 8 * 32);
}

}  // namespace
}  // namespace tovek::testing
