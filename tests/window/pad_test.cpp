// A pad driving the game: SDL's virtual joystick plugged into the window
// program, headless (SDL's dummy video and sound).
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "common/coded_stream.h"
#include "common/random_source.h"
#include "common/stage_file.h"
#include "common/stage_naming.h"
#include "game/core/game.h"
#include "game/sdl/tovek_program.h"
#include "tests/support/temp_folder.h"
#include "tests/window/window_fixture.h"

namespace tovek::test {
namespace {

// A program folder with stage 1 a floor to run on.
void WriteProgramFolder(const std::filesystem::path& folder) {
    std::ofstream(folder / "Tovek.ini") << "[Customize]\nTitle=Tovek\n";
    std::filesystem::create_directories(folder / "data");
    std::vector<std::string> rows(6, "................");
    rows.push_back(".S..............");
    rows.push_back("################");
    RandomSource random(1);
    const std::vector<std::uint8_t> bytes =
        WriteEditorStage(StageFromRows(rows), DrawKeyMaterial(random));
    std::ofstream(StageFilePath(folder / "data", 1), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

class PadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        // The dummy window never has the keyboard focus.
        setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
        WriteProgramFolder(folder_.Path());
        std::string error;
        program_ = TovekProgram::Start(folder_.Path(), &error);
        ASSERT_TRUE(program_) << error;
        SDL_VirtualJoystickDesc pad{};
        pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        pad.naxes = SDL_CONTROLLER_AXIS_MAX;
        pad.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        pad.name = "test pad";
        deviceIndex_ = SDL_JoystickAttachVirtualEx(&pad);
        ASSERT_GE(deviceIndex_, 0) << SDL_GetError();
        joystick_ = SDL_JoystickOpen(deviceIndex_);
        ASSERT_NE(joystick_, nullptr) << SDL_GetError();
        Deliver();
    }

    void TearDown() override {
        if (joystick_ != nullptr) SDL_JoystickClose(joystick_);
        program_.reset();
    }

    // Hands every waiting event to the program.
    void Deliver() {
        SDL_JoystickUpdate();
        SDL_Event event;
        while (SDL_PollEvent(&event))
            program_->HandleEvent(event);
    }

    void Button(SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
        Deliver();
    }
    void Click(SDL_GameControllerButton button) {
        Button(button, true);
        Button(button, false);
    }
    void Axis(SDL_GameControllerAxis axis, Sint16 value) {
        SDL_JoystickSetVirtualAxis(joystick_, axis, value);
        Deliver();
    }

    Game& GameState() { return program_->GameState(); }

    TempFolder folder_;
    std::unique_ptr<TovekProgram> program_;
    int deviceIndex_ = -1;
    SDL_Joystick* joystick_ = nullptr;
};

TEST_F(PadTest, ButtonsAndStickPlayTheGame) {
    Click(SDL_CONTROLLER_BUTTON_START);
    ASSERT_TRUE(GameState().inPlay) << "Start is Space on the stage select";
    for (int i = 0; i < 5; ++i)
        program_->Tick();

    Click(SDL_CONTROLLER_BUTTON_A);  // pressed and released before the tick
    program_->Tick();
    EXPECT_TRUE(GameState().airborne) << "the south button jumps";

    Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    EXPECT_EQ(GameState().heldHorizontal, 2);
    Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    program_->Tick();
    EXPECT_EQ(GameState().heldHorizontal, 0);

    Axis(SDL_CONTROLLER_AXIS_LEFTX, -20000);
    EXPECT_EQ(GameState().heldHorizontal, 1) << "the stick steers";
    Axis(SDL_CONTROLLER_AXIS_LEFTX, -12000);
    EXPECT_EQ(GameState().heldHorizontal, 1) << "and lets go only near the middle";
    program_->Tick();
    Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    EXPECT_EQ(GameState().heldHorizontal, 0);
    Axis(SDL_CONTROLLER_AXIS_LEFTY, 30000);
    EXPECT_EQ(GameState().heldVertical, 2);
    program_->Tick();
    Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);

    const bool soundOn = GameState().soundOn;
    Click(SDL_CONTROLLER_BUTTON_Y);
    EXPECT_NE(GameState().soundOn, soundOn) << "the north button switches the sound";

    Click(SDL_CONTROLLER_BUTTON_START);
    EXPECT_TRUE(program_->Session().Paused()) << "Start pauses play";
    Click(SDL_CONTROLLER_BUTTON_START);
    EXPECT_FALSE(program_->Session().Paused());

    Click(SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_FALSE(GameState().inPlay) << "Back is Escape";
}

TEST_F(PadTest, UnpluggingThePadDuringPlayPausesAndReleasesItsKeys) {
    Click(SDL_CONTROLLER_BUTTON_START);
    ASSERT_TRUE(GameState().inPlay);
    program_->Tick();
    Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    program_->Tick();
    ASSERT_EQ(GameState().heldHorizontal, 1);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    ASSERT_EQ(SDL_JoystickDetachVirtual(deviceIndex_), 0) << SDL_GetError();
    Deliver();
    EXPECT_TRUE(program_->Session().Paused());
    EXPECT_EQ(GameState().heldHorizontal, 0);
}

}  // namespace
}  // namespace tovek::test
