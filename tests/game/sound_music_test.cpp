// Sound effects (one per tick, silent with sound off) and the music words.
#include "game/core/sound_music.h"

#include "game/core/keyboard.h"
#include "tests/game/game_fixture.h"

namespace tovek::testing {
namespace {

using SoundTest = GameTest;

TEST_F(SoundTest, OnlyTheFirstEffectOfATickPlays) {
    Play({"............", "............", "............", "............", "............",
          "............", "S...........", "############"});
    PlaySoundEffect(game_, 3);
    PlaySoundEffect(game_, 2);
    EXPECT_EQ(sound_.TakeLastStarted(), 3);
    Tick();  // the guard is cleared at the end of every tick
    PlaySoundEffect(game_, 2);
    EXPECT_EQ(sound_.TakeLastStarted(), 2);
}

TEST_F(SoundTest, NothingPlaysWithSoundOff) {
    StartGame();
    Press(kKeyS);
    PlaySoundEffect(game_, 1);
    EXPECT_EQ(sound_.TakeLastStarted(), std::nullopt);
    EXPECT_FALSE(game_.soundStartedThisTick);
}

TEST_F(SoundTest, MusicWordsNeedTheMusicFileAndExactWords) {
    StartGame();
    MusicCommand(game_, "play");
    EXPECT_TRUE(music_.TakeWords().empty());

    WriteMusicFile();
    game_.musicFilePresent = true;
    MusicCommand(game_, "Play");
    MusicCommand(game_, "pause");
    EXPECT_TRUE(music_.TakeWords().empty());
    for (const char* word : {"open", "play", "stop", "prev", "close"})
        MusicCommand(game_, word);
    EXPECT_EQ(music_.TakeWords(),
              (std::vector<std::string>{"open", "play", "stop", "prev", "close"}));
}

TEST_F(SoundTest, FinishedPieceRestartsOnlyWithSoundOn) {
    WriteMusicFile();
    Play({"............", "............", "............", "............", "............",
          "............", "S...........", "############"});
    music_.TakeWords();
    music_.Stop();  // the piece ends by itself
    music_.TakeWords();
    Tick(29);
    EXPECT_TRUE(music_.TakeWords().empty());
    Tick();  // the 30th tick polls: stopped
    Tick(8);
    EXPECT_TRUE(music_.TakeWords().empty());
    Tick();
    EXPECT_EQ(music_.TakeWords(), (std::vector<std::string>{"prev", "play"}));

    Press(kKeyS);  // sound off: a stopped piece stays stopped
    music_.TakeWords();
    Tick(90);
    EXPECT_TRUE(music_.TakeWords().empty());
}

}  // namespace
}  // namespace tovek::testing
