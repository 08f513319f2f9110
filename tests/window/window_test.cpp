// The game's window under a private X server: what it shows, how keys,
// resizing and closing reach the game, and what it plays.
#include <fstream>
#include <iterator>
#include <thread>

#include "game/core/high_scores.h"
#include "game/sdl/help_screen.h"
#include "game/sdl/pause_screen.h"
#include "game/sdl/status_labels.h"
#include "game/sdl/window_icon.h"
#include "tests/support/x_window.h"
#include "tests/window/window_fixture.h"

namespace tovek::test {
namespace {

const std::array<std::string, 2> kStartLabels = {"ステージを左右キーで選んでスペースキーで決定",
                                                 "サウンド: オン(Sキーで切り替え)"};

ClientLayout NormalLayout() {
    return LayOutClientArea(kNormalClientWidth, kNormalClientHeight, std::nullopt);
}

Surface PictureArea(const Surface& shot) {
    return Crop(shot, {0, 0, kPictureWidth, kPictureHeight});
}

// A floor to run on, the start at its left end, perhaps a coin beside it or
// the goal further on.
EditorStage Runway(bool coin = false, bool goal = false) {
    std::vector<std::string> rows(6, "................");
    rows.push_back(coin ? ".Sc............." : goal ? ".S.....G........" : ".S..............");
    rows.push_back("################");
    return StageFromRows(rows);
}

bool LabelShowsOneOf(const Surface& shot, const ClientLayout& layout, int index,
                     const std::set<std::string>& texts, TextPainter& sans) {
    const ClientRect& label = layout.labels[index];
    const Surface shown = Crop(shot, label);
    for (const std::string& text : texts) {
        Surface expected(label.width, label.height);
        DrawStatusLabel(expected, {0, 0, label.width, label.height}, sans, text);
        if (shown == expected) return true;
    }
    return false;
}

bool OneOf(const Surface& picture, const std::vector<Surface>& frames) {
    return std::find(frames.begin(), frames.end(), picture) != frames.end();
}

// Whether the disk device's output holds an audible sample after `from` bytes
// (16-bit stereo samples).
bool SoundAfter(const std::filesystem::path& file, std::size_t from) {
    std::ifstream stream(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(stream)),
                                  std::istreambuf_iterator<char>());
    for (std::size_t i = from & ~std::size_t{1}; i + 1 < bytes.size(); i += 2) {
        const auto sample = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                                      static_cast<std::uint8_t>(bytes[i + 1]) << 8);
        if (sample > 256 || sample < -256) return true;
    }
    return false;
}

std::size_t FileSize(const std::filesystem::path& file) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    return error ? 0 : static_cast<std::size_t>(size);
}

bool WaitForSound(const std::filesystem::path& file, std::size_t from) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < end) {
        if (SoundAfter(file, from)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return false;
}

class StageSelectTest : public WindowTest {
  protected:
    // Starts the game and waits for the stage-select screen of stage 1 that
    // its first focus draws, exactly as tovek-sim draws it.
    void StartOnStageSelect(const Environment& audio,
                            const std::array<std::string, 2>& labels = kStartLabels) {
        stageOne_ = Simulate(1, 0);  // no stage 1 here: the screen stays up
        ASSERT_EQ(stageOne_.frames.size(), 1u);
        StartGame(audio);
        Focus();
        const Surface expected =
            ExpectedClientArea(NormalLayout(), stageOne_.frames[0], labels, Sans());
        const bool shown = WaitForScreen([&](const Surface& shot) { return shot == expected; });
        if (!shown) SaveForInspection("stage-select", expected);
        ASSERT_TRUE(shown) << "the stage-select screen did not appear as drawn";
    }

    SimRun stageOne_;
};

TEST_F(StageSelectTest, FirstFocusShowsTheStageSelectScreenAndTheStartLabels) {
    StartOnStageSelect(DiskAudio());
    EXPECT_EQ(Caption(), "Tovek");
    EXPECT_EQ(CloseWindow(), 0);
}

TEST_F(StageSelectTest, WindowHasItsIconAndCannotBeMadeSmallerThanThePicture) {
    StartOnStageSelect(DiskAudio());
    const IconPicture icon = WindowIconPicture();
    ASSERT_EQ(icon.width, 64);
    std::vector<unsigned long> expected = {64, 64};
    expected.insert(expected.end(), icon.pixels.begin(), icon.pixels.end());
    EXPECT_EQ(WindowIcon(xvfb_.Display(), window_), expected);
    EXPECT_EQ(WindowMinimumSize(xvfb_.Display(), window_),
              std::pair(kNormalClientWidth, kNormalClientHeight));
    EXPECT_EQ(CloseWindow(), 0);
}

TEST_F(StageSelectTest, ArrowKeysRedrawTheScreenForTheChosenStage) {
    const SimRun stageHundred = Simulate(100, 0);
    StartOnStageSelect(DiskAudio());
    Key("Left");
    const Surface expected =
        ExpectedClientArea(NormalLayout(), stageHundred.frames.at(0), kStartLabels, Sans());
    EXPECT_TRUE(WaitForScreen([&](const Surface& shot) { return shot == expected; }));
    Key("Right");
    EXPECT_TRUE(WaitForScreen(
        [&](const Surface& shot) { return PictureArea(shot) == stageOne_.frames[0]; }));
    EXPECT_EQ(CloseWindow(), 0);
}

TEST_F(StageSelectTest, KeypadArrowsChooseTheStageWhileNumLockIsOff) {
    const SimRun stageHundred = Simulate(100, 0);
    StartOnStageSelect(DiskAudio());
    Key("KP_Left");
    EXPECT_TRUE(WaitForScreen(
        [&](const Surface& shot) { return PictureArea(shot) == stageHundred.frames.at(0); }));
    Key("KP_Right");
    EXPECT_TRUE(WaitForScreen(
        [&](const Surface& shot) { return PictureArea(shot) == stageOne_.frames[0]; }));
    EXPECT_EQ(CloseWindow(), 0);
}

TEST_F(StageSelectTest, SoundKeyShowsTheSwitchInTheLabelAndTheCaption) {
    StartOnStageSelect(DiskAudio());
    Key("s");
    const Surface off =
        ExpectedClientArea(NormalLayout(), stageOne_.frames[0],
                           {kStartLabels[0], "サウンド: オフ(Sキーで切り替え)"}, Sans());
    EXPECT_TRUE(WaitForScreen([&](const Surface& shot) { return shot == off; }));
    EXPECT_EQ(Caption(), "Tovek(サウンドオフ)");
    Key("s");
    const Surface on =
        ExpectedClientArea(NormalLayout(), stageOne_.frames[0], kStartLabels, Sans());
    EXPECT_TRUE(WaitForScreen([&](const Surface& shot) { return shot == on; }));
    EXPECT_EQ(Caption(), "Tovek");
    EXPECT_EQ(CloseWindow(), 0);
}

TEST_F(StageSelectTest, LargerWindowShowsThePictureStretchedAboveTheLabels) {
    StartOnStageSelect(DiskAudio());
    ResizeWindow(1024, 700);
    const ClientLayout maximised = LayOutClientArea(1024, 700, Scaling::Stretch);
    ASSERT_EQ(maximised.picture, (ClientRect{0, 0, 1024, 668}));
    const Surface stretched =
        ExpectedClientArea(maximised, stageOne_.frames[0], kStartLabels, Sans());
    const bool shownStretched =
        WaitForScreen([&](const Surface& shot) { return shot == stretched; });
    if (!shownStretched) SaveForInspection("maximised", stretched);
    EXPECT_TRUE(shownStretched);

    // Wider only is not maximised: the picture shows one to one.
    ResizeWindow(600, 288);
    const Surface wider = ExpectedClientArea(LayOutClientArea(600, 288, std::nullopt),
                                             stageOne_.frames[0], kStartLabels, Sans());
    EXPECT_TRUE(WaitForScreen([&](const Surface& shot) { return shot == wider; }));

    ResizeWindow(kNormalClientWidth, kNormalClientHeight);
    const Surface normal =
        ExpectedClientArea(NormalLayout(), stageOne_.frames[0], kStartLabels, Sans());
    EXPECT_TRUE(WaitForScreen([&](const Surface& shot) { return shot == normal; }));
    EXPECT_EQ(CloseWindow(), 0);
}

TEST_F(StageSelectTest, F1ShowsTheHelpUntilAnyKey) {
    StartOnStageSelect(DiskAudio());
    Key("F1");
    const Surface help = ExpectedClientArea(NormalLayout(), HelpPicture(Sans()),
                                            {kHelpLabel, kStartLabels[1]}, Sans());
    const bool shown = WaitForScreen([&](const Surface& shot) { return shot == help; });
    if (!shown) SaveForInspection("help", help);
    EXPECT_TRUE(shown);
    Key("x");
    const Surface back =
        ExpectedClientArea(NormalLayout(), stageOne_.frames[0], kStartLabels, Sans());
    EXPECT_TRUE(WaitForScreen([&](const Surface& shot) { return shot == back; }));
    EXPECT_EQ(CloseWindow(), 0);
}

TEST_F(StageSelectTest, F11ShowsTheWholeScreenAtIntegerScale) {
    StartOnStageSelect(DiskAudio());
    // This window manager maximises every window it takes over: stretched.
    StartWindowManager();
    const auto stretched = [&](const Surface& shot) {
        return shot.Width() > kNormalClientWidth &&
               shot == ExpectedClientArea(
                           LayOutClientArea(shot.Width(), shot.Height(), Scaling::Stretch),
                           stageOne_.frames[0], kStartLabels, Sans());
    };
    ASSERT_TRUE(WaitForScreen(stretched));
    Focus();
    Key("F11");
    // The server's screen is 1280 x 1024: three times the picture with its labels.
    const ClientLayout fullscreen = LayOutClientArea(1280, 1024, Scaling::Integer);
    ASSERT_EQ(fullscreen.picture, (ClientRect{64, 80, 1152, 768}));
    const Surface expected =
        ExpectedClientArea(fullscreen, stageOne_.frames[0], kStartLabels, Sans());
    const bool shown = WaitForScreen([&](const Surface& shot) { return shot == expected; });
    if (!shown) SaveForInspection("fullscreen", expected);
    EXPECT_TRUE(shown);
    Key("F11");
    EXPECT_TRUE(WaitForScreen(stretched));
    EXPECT_EQ(CloseWindow(), 0);
}

class PlayTest : public StageSelectTest {
  protected:
    // Stage 2 is played: the keys Right and Space on the stage-select screen.
    // Waits for its first frame, exactly as tovek-sim draws it.
    void StartPlaying(const Environment& audio,
                      const std::array<std::string, 2>& labels = kStartLabels) {
        start_ = Simulate(2, 0);
        ASSERT_EQ(start_.frames.size(), 1u);
        StartOnStageSelect(audio, labels);
        Key("Right");
        Key("space");
        const bool playing = WaitForScreen(
            [&](const Surface& shot) { return PictureArea(shot) == start_.frames[0]; });
        if (!playing) SaveForInspection("play-start", start_.frames[0]);
        ASSERT_TRUE(playing) << "the stage's first frame did not appear";
    }

    // Holds Right until the window shows a frame of the run that tovek-sim
    // draws for Right held from the first tick (the stage stands still until
    // the key, so the run is the same whenever it is pressed).
    void RunRightAndMatchTheSimulator() {
        const SimRun run = Simulate(2, 100, "1 down Right\n");
        std::vector<Surface> moving;
        for (const Surface& frame : run.frames) {
            if (frame != start_.frames[0]) moving.push_back(frame);
        }
        ASSERT_FALSE(moving.empty());
        KeyDown("Right");
        const bool matched =
            WaitForScreen([&](const Surface& shot) { return OneOf(PictureArea(shot), moving); });
        KeyUp("Right");
        if (!matched) SaveForInspection("running", moving.back());
        EXPECT_TRUE(matched) << "no frame of the run showed as tovek-sim draws it";
    }

    SimRun start_;
};

TEST_F(PlayTest, FramesOfPlayAreThePixelsTheSimulatorDraws) {
    WriteSettings("TSpeed=2\n");
    WriteStage(2, Runway());
    StartPlaying(DiskAudio());
    RunRightAndMatchTheSimulator();
    EXPECT_EQ(CloseWindow(), 0);
}

TEST_F(PlayTest, StatusLabelsShowTheTextsOfPlay) {
    WriteStage(2, Runway());
    // A minute of standing still gives every text the labels can show here.
    const SimRun minute = Simulate(2, 800, "", false);
    StartPlaying(DiskAudio());
    const ClientLayout layout = NormalLayout();
    EXPECT_TRUE(WaitForScreen([&](const Surface& shot) {
        return LabelShowsOneOf(shot, layout, 0, minute.status0, Sans()) &&
               LabelShowsOneOf(shot, layout, 1, minute.status1, Sans());
    })) << "the labels do not show the game's texts";
    EXPECT_EQ(CloseWindow(), 0);
}

TEST_F(PlayTest, TakingACoinPlaysAnEffect) {
    WriteStage(2, Runway(true));
    StartPlaying(DiskAudio());
    // No music file: nothing has sounded yet.
    const std::size_t before = FileSize(AudioFile());
    ASSERT_GT(before, 0u) << "the disk sound device writes nothing";
    ASSERT_FALSE(SoundAfter(AudioFile(), 0));
    KeyDown("Right");
    EXPECT_TRUE(WaitForSound(AudioFile(), before)) << "the coin's sound is not heard";
    KeyUp("Right");
    EXPECT_EQ(CloseWindow(), 0);
}

TEST_F(PlayTest, MusicPlaysDuringAStageAndClosingEndsTheGameCleanly) {
    WriteStage(2, Runway());
    WriteMusicFile();
    StartPlaying(DiskAudio());
    EXPECT_TRUE(WaitForSound(AudioFile(), 0)) << "the music is not heard";
    EXPECT_EQ(CloseWindow(), 0);
}

TEST_F(PlayTest, WithoutASoundDeviceTheGameStillPlays) {
    WriteSettings("TSpeed=2\n");
    WriteStage(2, Runway(true));
    WriteMusicFile();
    StartPlaying({"SDL_AUDIODRIVER=no-such-device"});
    RunRightAndMatchTheSimulator();
    EXPECT_EQ(CloseWindow(), 0);
}

TEST_F(PlayTest, ShortTapOfUpJumps) {
    WriteStage(2, Runway());
    // Up held for exactly one tick, as a tap between two ticks is delivered.
    const SimRun jump = Simulate(2, 40, "1 down Up\n2 up Up\n");
    StartPlaying(DiskAudio());
    std::vector<Surface> inTheAir;
    for (const Surface& frame : jump.frames) {
        if (frame != start_.frames[0]) inTheAir.push_back(frame);
    }
    ASSERT_FALSE(inTheAir.empty());
    Key("Up");  // pressed and released at once, between two ticks
    const bool jumped =
        WaitForScreen([&](const Surface& shot) { return OneOf(PictureArea(shot), inTheAir); },
                      std::chrono::seconds(10));
    if (!jumped) SaveForInspection("tap", inTheAir.front());
    EXPECT_TRUE(jumped) << "the tap did not jump";
    EXPECT_EQ(CloseWindow(), 0);
}

TEST_F(PlayTest, PKeyPausesThePictureAndTheClock) {
    WriteStage(2, Runway());
    StartPlaying(DiskAudio());
    std::string error;
    const std::unique_ptr<TextPainter> serif = TextPainter::Create(FontFace::Serif, &error);
    ASSERT_TRUE(serif) << error;
    Key("p");
    const Surface paused = PausedPicture(start_.frames[0], *serif);
    const ClientLayout layout = NormalLayout();
    const bool shown = WaitForScreen([&](const Surface& shot) {
        return PictureArea(shot) == paused &&
               LabelShowsOneOf(shot, layout, 0, {kPausedLabel}, Sans());
    });
    if (!shown) SaveForInspection("paused", paused);
    ASSERT_TRUE(shown);
    // Label 1 shows the play time: it stands still too.
    const Surface first = lastScreenshot_;
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    const std::optional<Surface> second = Screenshot();
    EXPECT_EQ(second, first) << "the paused screen changed";
    Key("p");
    EXPECT_TRUE(WaitForScreen([&](const Surface& shot) {
        return PictureArea(shot) == start_.frames[0] &&
               !LabelShowsOneOf(shot, layout, 0, {kPausedLabel}, Sans());
    }));
    EXPECT_EQ(CloseWindow(), 0);
}

TEST_F(PlayTest, RecordThatCannotBeSavedIsSaidOnTheTallyAndOnStderr) {
    // A folder where the record file belongs: no file can be written there.
    const std::filesystem::path recordFile = folder_.Path() / "data" / "hscore.dat";
    std::filesystem::create_directories(recordFile / "kept");
    WriteStage(2, Runway(false, true));
    const SimRun run = Simulate(2, 60, "1 down Right\n");
    ASSERT_FALSE(run.frames.empty());
    // The record line of the tally, under the lines of score and bonus that
    // follow the play time.
    const ClientRect recordLine{0, 222, kPictureWidth, 22};
    const Surface expected = Crop(run.frames.back(), recordLine);
    // The folder in its place cannot be read either, which label 0 says.
    StartPlaying(DiskAudio(), {kRecordsUnreadableText, kStartLabels[1]});
    KeyDown("Right");
    const bool said = WaitForScreen(
        [&](const Surface& shot) { return Crop(PictureArea(shot), recordLine) == expected; });
    KeyUp("Right");
    if (!said) SaveForInspection("record-not-saved", run.frames.back());
    EXPECT_TRUE(said) << "the tally's record line is not the simulator's";
    EXPECT_NE(ErrorOutput().find("hscore.dat: not a regular file"), std::string::npos)
        << ErrorOutput();
    EXPECT_TRUE(std::filesystem::is_directory(recordFile / "kept"));
    EXPECT_EQ(CloseWindow(), 0);
}

}  // namespace
}  // namespace tovek::test
