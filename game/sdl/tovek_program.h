#pragma once

#include <SDL_events.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "common/text.h"
#include "game/core/game.h"
#include "game/core/record_store.h"
#include "game/core/reporting_record_store.h"
#include "game/sdl/audio_session.h"
#include "game/sdl/game_window.h"
#include "game/sdl/held_music.h"
#include "game/sdl/local_clock.h"
#include "game/sdl/mixer_music.h"
#include "game/sdl/mixer_sound.h"
#include "game/sdl/pad_input.h"
#include "game/sdl/play_session.h"
#include "game/sdl/tick_loop.h"
#include "game/sdl/video_session.h"
#include "game/sdl/window_settings.h"

namespace tovek {

// The game's window program: the game wired to the window, the keyboard and
// the pads, the clock, the sound device and the music, driven by RunTickLoop.
// Besides the game's own screens it shows the pause and the help picture.
class TovekProgram : public LoopHandler {
  public:
    // Starts video, fonts, pads and sound, reads the window's settings (what
    // cannot be used is said on stderr), runs the game's load handler and
    // shows the window. Nothing when the window or the fonts cannot be had,
    // with the reason in error. Sound that cannot start leaves the game
    // silent.
    static std::unique_ptr<TovekProgram> Start(const std::filesystem::path& programFolder,
                                               std::string* error);
    ~TovekProgram() override;
    TovekProgram(const TovekProgram&) = delete;
    TovekProgram& operator=(const TovekProgram&) = delete;

    // Keys, pads, focus, resizing and closing.
    void HandleEvent(const SDL_Event& event) override;
    void Tick() override;
    bool Running() const override { return running_; }
    bool TicksHeld() const override { return session_.Paused(); }

    std::chrono::milliseconds TickInterval() const;
    Game& GameState() { return game_; }
    PlaySession& Session() { return session_; }
    const GameWindow& Window() const { return *window_; }
    bool HelpShown() const { return helpShown_; }

  private:
    TovekProgram();
    void HandleKey(const SDL_KeyboardEvent& event);
    // The window's own keys (pause, help, fullscreen); false for other keys.
    bool HandleWindowKey(const SDL_KeyboardEvent& event);
    void HandlePad(const SDL_Event& event);
    void HandleWindowEvent(const SDL_WindowEvent& event);
    void OpenHelp();
    void CloseHelp();
    // Shows the pause as soon as it begins or ends.
    void FollowPause();
    void FormResize();
    // The picture of the moment: the help, the paused frame, or picMain.
    void PresentScreen();
    void ShowWindowTexts();

    VideoSession video_;
    std::unique_ptr<TextPainter> serif_;
    std::unique_ptr<TextPainter> sans_;
    std::unique_ptr<PadInput> pads_;
    AudioSession audio_;
    LocalClock clock_;
    MixerSound sound_;
    MixerMusic music_;
    HeldMusic heldMusic_;
    RecordFile recordFile_;
    ReportingRecordStore records_;
    Game game_;
    PlaySession session_;
    WindowSettings settings_;
    std::unique_ptr<GameWindow> window_;
    bool running_ = true;
    bool helpShown_ = false;
    bool pauseShown_ = false;
    Surface helpPicture_;
    Surface pausedPicture_;
};

}  // namespace tovek
