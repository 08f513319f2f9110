#pragma once

#include "game/core/platform.h"

namespace tovek {

// The game's music device with a hold of the window's own (the pause): while
// held, a playing piece waits where it is and a "play" only takes note; on
// release the piece goes on when the game last asked it to play. Stop, rewind
// and close act at once, so leaving a stage or switching sound off while held
// is followed exactly.
class HeldMusic : public MusicDevice {
  public:
    explicit HeldMusic(MusicDevice& device) : device_(device) {}

    void Open(const std::filesystem::path& file) override;
    void Play() override;
    void Stop() override;
    void Rewind() override;
    void Close() override;
    std::string StatusMode() override;

    void Hold();
    void Release();
    bool Held() const { return held_; }

  private:
    MusicDevice& device_;
    bool held_ = false;
    bool playOnRelease_ = false;
};

}  // namespace tovek
