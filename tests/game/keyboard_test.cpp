// Keys in every state: stage choice, steering, leaving, continuing, the next
// stage, the sound switch and the status lines.
#include "game/core/keyboard.h"

#include "game/core/status_lines.h"
#include "tests/game/game_fixture.h"

namespace tovek::testing {
namespace {

using KeyboardTest = GameTest;

const std::vector<std::string> kFlatStage = {
    "............", "............", "............", "............",
    "............", "............", "S..........G", "############",
};

TEST_F(KeyboardTest, StageNumberWrapsAround) {
    StartGame();
    Press(kKeyLeft);
    EXPECT_EQ(game_.stageNumber, 100);
    Press(kKeyRight);
    Press(kKeyRight);
    EXPECT_EQ(game_.stageNumber, 2);
    game_.stageNumber = 100;
    Press(kKeyRight);
    EXPECT_EQ(game_.stageNumber, 1);
}

TEST_F(KeyboardTest, MissingStageStaysOnStageSelect) {
    StartGame();
    game_.stageNumber = 3;
    Press(kKeySpace);
    EXPECT_FALSE(game_.inPlay);
    EXPECT_EQ(game_.lblMain[0], "データ3にはデータがありません。");
}

TEST_F(KeyboardTest, HeldKeysRememberTheLastPressPerAxis) {
    Play(kFlatStage);
    Press(kKeyLeft);
    Press(kKeyRight);
    Release(kKeyLeft);
    EXPECT_EQ(game_.heldHorizontal, 2);
    Release(kKeyRight);
    EXPECT_EQ(game_.heldHorizontal, 0);
    Press(kKeyDown);
    Release(kKeyUp);
    EXPECT_EQ(game_.heldVertical, 2);
}

TEST_F(KeyboardTest, EscapeLeavesWithEmptyLabels) {
    WriteMusicFile();
    Play(kFlatStage);
    music_.TakeWords();
    Tick(3);
    Press(kKeyEscape);
    EXPECT_FALSE(game_.inPlay);
    EXPECT_EQ(game_.lblMain[0], "");
    EXPECT_EQ(game_.lblMain[1], "");
    EXPECT_EQ(music_.TakeWords(), (std::vector<std::string>{"stop", "prev"}));
    EXPECT_TRUE(game_.tileMap.empty());
    EXPECT_EQ(game_.mapWidth, 12);  // the map size outlives the reset
    Press(kKeyS);
    EXPECT_EQ(game_.lblMain[1], "サウンド: オフ(Sキーで切り替え)");
}

TEST_F(KeyboardTest, ContinueRestartsAtTheRestartPoint) {
    Play({"............", "............", "............", "............", "............",
          "............", "S...x......G", "############"});
    Press(kKeyRight);
    Tick(60);
    ASSERT_TRUE(game_.gameOver);
    const std::int16_t elapsed = game_.elapsedSeconds;
    Release(kKeyRight);
    Press(kKeySpace);
    EXPECT_FALSE(game_.gameOver);
    EXPECT_EQ(game_.misses, 1);
    EXPECT_EQ(game_.score, 0);
    EXPECT_EQ(game_.graceTicks, 8);
    EXPECT_EQ(game_.playerX, game_.startX);
    EXPECT_EQ(game_.playerY, game_.startY);
    EXPECT_EQ(game_.elapsedSeconds, elapsed);
}

TEST_F(KeyboardTest, NoContinueTurnsSpaceIntoEscape) {
    WriteSettings("Continue=1\n");
    Play({"............", "............", "............", "............", "............",
          "............", "Sx.........G", "############"});
    Press(kKeyRight);
    Tick(40);
    ASSERT_TRUE(game_.gameOver);
    Press(kKeySpace);
    EXPECT_FALSE(game_.inPlay);
    EXPECT_EQ(game_.lblMain[0], "");
}

TEST_F(KeyboardTest, ClearingTheLastStageReturnsToStageOne) {
    WriteStage(100,
               StageFromText({"............", "............", "............", "............",
                              "............", "............", "SG..........", "############"}));
    StartGame();
    game_.stageNumber = 100;
    Press(kKeySpace);
    Press(kKeyRight);
    Tick(20);
    ASSERT_TRUE(game_.stageCleared);
    Press(kKeySpace);
    EXPECT_FALSE(game_.inPlay);
    EXPECT_EQ(game_.stageNumber, 1);
    EXPECT_EQ(game_.lblMain[0], "ステージが最後まで終わりました。");
}

TEST_F(KeyboardTest, NextStageAfterAGapStopsAtTheMissingNumber) {
    Play({"............", "............", "............", "............", "............",
          "............", "SG..........", "############"});
    Press(kKeyRight);
    Tick(20);
    ASSERT_TRUE(game_.stageCleared);
    Press(kKeySpace);
    EXPECT_FALSE(game_.inPlay);
    EXPECT_EQ(game_.stageNumber, 2);
    EXPECT_EQ(game_.lblMain[0], "データ2にはデータがありません。");
}

TEST_F(KeyboardTest, SoundSwitchDuringPlayStartsAndStopsTheMusic) {
    WriteSettings("Title=T\n");
    WriteMusicFile();
    Play(kFlatStage);
    EXPECT_EQ(music_.TakeWords(), (std::vector<std::string>{"open", "play"}));
    Press(kKeyS);
    EXPECT_EQ(music_.TakeWords(), (std::vector<std::string>{"stop", "prev"}));
    EXPECT_EQ(game_.caption, "T(サウンドオフ)");
    Press(kKeyS);
    EXPECT_EQ(music_.TakeWords(), (std::vector<std::string>{"play"}));
    EXPECT_EQ(game_.caption, "T");
}

TEST_F(KeyboardTest, StatusLinesDuringPlay) {
    Play(kFlatStage);
    game_.highScores[0] = 3400;
    for (const auto& [seconds, text] :
         std::vector<std::pair<int, std::string>>{{0, "ステージ1"},
                                                  {5, "ステージ1のハイスコア: 3400"},
                                                  {14, "Escキーでメニューに戻れます。"},
                                                  {15, "ステージ1"}}) {
        game_.elapsedSeconds = static_cast<std::int16_t>(seconds);
        UpdateStatusLine(game_);
        EXPECT_EQ(game_.lblMain[0], text) << seconds;
    }
    game_.chainCount = 3;
    UpdateStatusLine(game_);
    EXPECT_EQ(game_.lblMain[0], "3連鎖!!");

    game_.score = 1250;
    game_.elapsedSeconds = 83;
    game_.misses = 1;
    game_.powerUpF = game_.powerUpB = true;
    UpdateStatusLine1(game_);
    EXPECT_EQ(game_.lblMain[1], "スコア: 1250点 タイム: 1分23秒 ミス1回 FB");
}

TEST_F(KeyboardTest, PlayClockCountsObservedSecondChanges) {
    Play(kFlatStage);
    Tick(12);  // 960 ms at 80 ms a tick: the clock's second has not changed
    EXPECT_EQ(game_.elapsedSeconds, 0);
    Tick();  // 1040 ms
    EXPECT_EQ(game_.elapsedSeconds, 1);
    Tick(12);
    EXPECT_EQ(game_.elapsedSeconds, 2);
}

}  // namespace
}  // namespace tovek::testing
