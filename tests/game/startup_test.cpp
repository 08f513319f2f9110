// Start-up: settings, the first focus, and the music device.
#include "game/core/startup.h"

#include "tests/game/game_fixture.h"

namespace tovek::testing {
namespace {

using StartupTest = GameTest;

TEST_F(StartupTest, MissingSettingsGiveDefaults) {
    StartGame();
    EXPECT_EQ(game_.tickInterval, 80);
    EXPECT_EQ(game_.character, 0);
    EXPECT_FALSE(game_.noContinue);
    EXPECT_TRUE(game_.soundOn);
    EXPECT_EQ(game_.stageFolder, folder_ / "data");
    EXPECT_EQ(game_.caption, "");
}

TEST_F(StartupTest, IntegerKeysOutsideTheirRangeReadAsZero) {
    WriteSettings("TSpeed=3\nChara=5\nContinue=2\n");
    StartGame();
    EXPECT_EQ(game_.tickInterval, 80);
    EXPECT_EQ(game_.character, 0);
    EXPECT_FALSE(game_.noContinue);
    EXPECT_EQ(game_.constants.jumpImpulse, -8);
}

TEST_F(StartupTest, TickSpeedAndCharacterFollowTheSettings) {
    WriteSettings("TSpeed=2\nChara=2\nContinue=1\nHMirror=1\nVMirror=1\n");
    StartGame();
    EXPECT_EQ(game_.tickInterval, 40);
    EXPECT_EQ(game_.character, 2);
    EXPECT_EQ(game_.constants.platformConstant, 4);
    EXPECT_TRUE(game_.noContinue);
    EXPECT_TRUE(game_.mirrorHorizontal);
    EXPECT_TRUE(game_.mirrorVertical);
}

TEST_F(StartupTest, SoundOffAtStartChangesCaptionAndLabel) {
    WriteSettings("Title=Tovek\nDSound=1\n");
    StartGame();
    EXPECT_FALSE(game_.soundOn);
    EXPECT_EQ(game_.caption, "Tovek(サウンドオフ)");
    EXPECT_EQ(game_.lblMain[1], "サウンド: オフ(Sキーで切り替え)");
    EXPECT_EQ(game_.lblMain[0], "ステージを左右キーで選んでスペースキーで決定");
}

TEST_F(StartupTest, EmptyFolderMeansData) {
    WriteSettings("Folder=\n");
    StartGame();
    EXPECT_EQ(game_.stageFolder, folder_ / "data");
}

TEST_F(StartupTest, FirstFocusShowsStageOneOnce) {
    StartGame();
    EXPECT_EQ(game_.stageNumber, 1);
    game_.stageNumber = 7;
    picMain_GotFocus(game_);
    EXPECT_EQ(game_.stageNumber, 7);
}

TEST_F(StartupTest, MusicDeviceOpensOnlyWithTheMusicFile) {
    StartGame();
    EXPECT_TRUE(music_.TakeWords().empty());

    WriteMusicFile();
    Game second;
    second.programFolder = folder_;
    second.services = game_.services;
    Form_Load(second);
    EXPECT_EQ(music_.TakeWords(), std::vector<std::string>{"open"});
    Form_Unload(second);
    EXPECT_EQ(music_.TakeWords(), std::vector<std::string>{"close"});
}

}  // namespace
}  // namespace tovek::testing
