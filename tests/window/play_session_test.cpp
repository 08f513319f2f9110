// The game as the window drives it: short presses, several sources for one
// key, and the pause.
#include "game/sdl/play_session.h"

#include <SDL_gamecontroller.h>
#include <SDL_keycode.h>

#include "game/core/keyboard.h"
#include "tests/game/game_fixture.h"

namespace tovek::testing {
namespace {

using std::chrono::milliseconds;

const std::vector<std::string> kFlat = {
    "................", "................", "................", "................",
    "................", "................", ".S..............", "################",
};

const InputSource kUpArrow{InputSource::kKeyboard, SDLK_UP};
const InputSource kLetterW{InputSource::kKeyboard, SDLK_w};
const InputSource kPadSouth{0, SDL_CONTROLLER_BUTTON_A};

// A game played through a session, on a clock the test moves: one tick every
// 80 ms, from half a second into an hour.
class PlaySessionTest : public GameTest {
  protected:
    PlaySessionTest() {
        game_.services.clock = &clock_;
        game_.services.music = &music_;
    }

    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            now_ += milliseconds(80);
            session_.Tick();
        }
    }

    LocalClock::TimePoint now_ = LocalClock::TimePoint(std::chrono::hours(1)) + milliseconds(500);
    LocalClock clock_{[this] { return now_; }};
    HeldMusic music_{GameTest::music_};
    PlaySession session_{game_, clock_, music_};
};

TEST_F(PlaySessionTest, TapBetweenTwoTicksIsHeldForTheNextTickOnly) {
    Play(kFlat);
    Ticks(3);
    ASSERT_FALSE(game_.airborne);
    session_.Press(kKeyUp, kUpArrow);
    session_.Release(kKeyUp, kUpArrow);
    EXPECT_EQ(game_.heldVertical, 1) << "released before any tick saw it";
    Ticks(1);
    EXPECT_TRUE(game_.airborne) << "the tap jumped";
    EXPECT_EQ(game_.heldVertical, 0) << "and is released after that tick";

    // A key held across a tick is released at once.
    Ticks(20);
    session_.Press(kKeyRight, {InputSource::kKeyboard, SDLK_RIGHT});
    Ticks(1);
    session_.Release(kKeyRight, {InputSource::kKeyboard, SDLK_RIGHT});
    EXPECT_EQ(game_.heldHorizontal, 0);
}

TEST_F(PlaySessionTest, KeyHeldBySeveralSourcesIsReleasedByTheLast) {
    Play(kFlat);
    session_.Press(kKeyUp, kUpArrow);
    session_.Press(kKeyUp, kLetterW);
    session_.Press(kKeyUp, kPadSouth);
    Ticks(1);
    session_.Release(kKeyUp, kUpArrow);
    session_.Release(kKeyUp, kPadSouth);
    EXPECT_EQ(game_.heldVertical, 1);
    session_.Release(kKeyUp, kLetterW);
    EXPECT_EQ(game_.heldVertical, 0);
    // A release the session never saw pressed (a key held before the
    // window had the focus) still reaches the game.
    Form_KeyDown(game_, kKeyLeft);
    session_.Release(kKeyLeft, {InputSource::kKeyboard, SDLK_LEFT});
    EXPECT_EQ(game_.heldHorizontal, 0);
}

TEST_F(PlaySessionTest, PausedNoTickRunsAndTheMusicWaits) {
    WriteMusicFile();
    Play(kFlat);
    session_.Press(kKeyRight, {InputSource::kKeyboard, SDLK_RIGHT});
    Ticks(5);
    GameTest::music_.TakeWords();
    session_.Pause();
    ASSERT_TRUE(session_.Paused());
    EXPECT_EQ(GameTest::music_.TakeWords(), std::vector<std::string>{"stop"});
    GameSnapshot before;
    game_.TakeSnapshot(before);
    Ticks(100);
    GameSnapshot after;
    game_.TakeSnapshot(after);
    EXPECT_EQ(after.play.playerX, before.play.playerX);
    EXPECT_EQ(after.play.elapsedSeconds, before.play.elapsedSeconds);
    EXPECT_EQ(after.play.musicPollCounter, before.play.musicPollCounter);

    // Sound switched off and on again while paused: the piece is rewound
    // and waits for the end of the pause.
    session_.Press(kKeyS, {InputSource::kKeyboard, SDLK_s});
    session_.Press(kKeyS, {InputSource::kKeyboard, SDLK_s});
    EXPECT_EQ(GameTest::music_.TakeWords(), (std::vector<std::string>{"stop", "prev"}));
    session_.Resume();
    EXPECT_EQ(GameTest::music_.TakeWords(), std::vector<std::string>{"play"});
    Ticks(1);
    EXPECT_GT(game_.playerX, before.play.playerX);
}

// The play clock after a pause reads exactly what it would have read without
// it: the tick loop moves its ticks on by the pause, the clock stands still.
TEST_F(PlaySessionTest, PauseCountsNoTime) {
    Play(kFlat);
    std::vector<std::int16_t> withoutPause;
    for (int tick = 0; tick < 150; ++tick) {
        Ticks(1);
        withoutPause.push_back(game_.elapsedSeconds);
    }

    Press(kKeyEscape);
    Press(kKeySpace);
    now_ = LocalClock::TimePoint(std::chrono::hours(1)) + milliseconds(500);
    game_.lastSecondsField = 0;
    std::vector<std::int16_t> withPause;
    for (int tick = 0; tick < 150; ++tick) {
        if (tick == 40) {
            now_ += milliseconds(30);
            session_.Pause();
            now_ += milliseconds(7363);
            session_.Tick();  // due while paused: nothing runs
            session_.Resume();
            now_ -= milliseconds(30);  // the tick loop keeps the ticks 80 ms apart
        }
        Ticks(1);
        withPause.push_back(game_.elapsedSeconds);
    }
    EXPECT_EQ(withPause, withoutPause);
    EXPECT_EQ(withPause.back(), 12);
}

TEST_F(PlaySessionTest, OnlyAStageInPlayPauses) {
    Play({"............", "............", "............", "............", "............",
          "............", "SG..........", "############"});
    session_.Press(kKeyRight, {InputSource::kKeyboard, SDLK_RIGHT});
    Ticks(10);
    ASSERT_TRUE(game_.stageCleared);
    session_.TogglePause();
    EXPECT_FALSE(session_.Paused()) << "tally";
    Press(kKeyEscape);
    session_.Pause();
    EXPECT_FALSE(session_.Paused()) << "stage select";

    // Leaving the stage while paused ends the pause with it.
    Press(kKeySpace);
    session_.TogglePause();
    ASSERT_TRUE(session_.Paused());
    session_.Press(kKeyEscape, {InputSource::kKeyboard, SDLK_ESCAPE});
    EXPECT_FALSE(game_.inPlay);
    EXPECT_FALSE(session_.Paused());
    EXPECT_FALSE(clock_.Stopped());
}

}  // namespace
}  // namespace tovek::testing
