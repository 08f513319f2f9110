#pragma once

#include <SDL_events.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "common/text.h"
#include "game/core/game.h"
#include "game/core/record_store.h"
#include "game/sdl/audio_session.h"
#include "game/sdl/game_window.h"
#include "game/sdl/local_clock.h"
#include "game/sdl/mixer_music.h"
#include "game/sdl/mixer_sound.h"
#include "game/sdl/tick_loop.h"
#include "game/sdl/video_session.h"

namespace tovek {

// The game's window program: the game wired to the window, the clock, the
// sound device and the music, driven by RunTickLoop.
class TovekProgram : public LoopHandler {
  public:
    // Starts video, fonts and sound, runs the game's load handler and shows
    // the window. Nothing when the window or the fonts cannot be had, with the
    // reason in error. Sound that cannot start leaves the game silent.
    static std::unique_ptr<TovekProgram> Start(const std::filesystem::path& programFolder,
                                               std::string* error);
    ~TovekProgram() override;
    TovekProgram(const TovekProgram&) = delete;
    TovekProgram& operator=(const TovekProgram&) = delete;

    // Keys, focus, resizing and closing, each handed to the game.
    void HandleEvent(const SDL_Event& event) override;
    void Tick() override;
    bool Running() const override { return running_; }

    std::chrono::milliseconds TickInterval() const;
    Game& GameState() { return game_; }

  private:
    TovekProgram();
    void HandleKey(const SDL_KeyboardEvent& event);
    void HandleWindowEvent(const SDL_WindowEvent& event);
    void FormResize();
    void ShowWindowTexts();

    VideoSession video_;
    std::unique_ptr<TextPainter> serif_;
    std::unique_ptr<TextPainter> sans_;
    AudioSession audio_;
    LocalClock clock_;
    MixerSound sound_;
    MixerMusic music_;
    RecordFile records_;
    Game game_;
    std::unique_ptr<GameWindow> window_;
    bool running_ = true;
};

}  // namespace tovek
