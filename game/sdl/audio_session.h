#pragma once

#include <optional>
#include <string>

namespace tovek {

// The sound device that effects and music share, open for the session's
// lifetime. Without a usable device the game runs silently: IsOpen() is false
// and nothing is played.
class AudioSession {
  public:
    AudioSession();
    ~AudioSession();
    AudioSession(const AudioSession&) = delete;
    AudioSession& operator=(const AudioSession&) = delete;

    bool IsOpen() const { return open_; }

  private:
    bool subsystemStarted_ = false;
    bool open_ = false;
};

// The system's General-MIDI soundfont for the music, when the user has not
// chosen one through SDL_SOUNDFONTS; nothing when the user has or when no
// soundfont is installed.
std::optional<std::string> SystemSoundFont();

}  // namespace tovek
