#pragma once

#include <array>
#include <memory>

#include "game/core/platform.h"

struct Mix_Chunk;

namespace tovek {

class AudioSession;

// Sound effects through SDL2_mixer, on one channel so that a new effect cuts
// off the one playing. The game's four WAVE images never change after
// start-up, so each is converted once, the first time its number plays.
class MixerSound : public SoundOutput {
  public:
    explicit MixerSound(const AudioSession& audio);
    ~MixerSound() override;

    void Play(int number, std::span<const std::uint8_t> wave) override;

  private:
    struct ChunkFree {
        void operator()(Mix_Chunk* chunk) const;
    };

    const AudioSession& audio_;
    std::array<std::unique_ptr<Mix_Chunk, ChunkFree>, 4> chunks_;
};

}  // namespace tovek
