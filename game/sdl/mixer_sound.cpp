#include "game/sdl/mixer_sound.h"

#include <SDL_mixer.h>

#include "game/sdl/audio_session.h"

namespace tovek {
namespace {

constexpr int kEffectChannel = 0;

}  // namespace

void MixerSound::ChunkFree::operator()(Mix_Chunk* chunk) const {
    Mix_FreeChunk(chunk);
}

MixerSound::MixerSound(const AudioSession& audio) : audio_(audio) {}

MixerSound::~MixerSound() {
    if (audio_.IsOpen()) Mix_HaltChannel(kEffectChannel);
}

void MixerSound::Play(int number, std::span<const std::uint8_t> wave) {
    if (!audio_.IsOpen() || number < 0 || number >= static_cast<int>(chunks_.size())) return;
    auto& chunk = chunks_[number];
    if (!chunk) {
        SDL_RWops* bytes = SDL_RWFromConstMem(wave.data(), static_cast<int>(wave.size()));
        if (bytes == nullptr) return;
        chunk.reset(Mix_LoadWAV_RW(bytes, 1));
        if (!chunk) return;
    }
    Mix_PlayChannel(kEffectChannel, chunk.get(), 0);
}

}  // namespace tovek
