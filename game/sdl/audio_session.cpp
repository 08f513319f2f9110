#include "game/sdl/audio_session.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <filesystem>

namespace tovek {
namespace {

// The soundfonts that Debian's General-MIDI alternatives point at; the
// uncompressed one loads faster.
constexpr const char* kSystemSoundFonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf3/default-GM.sf3",
};

constexpr int kSampleRate = 44100;
constexpr int kOutputChannels = 2;
// About 12 ms per buffer: effects start promptly.
constexpr int kBufferSamples = 512;
// One mixing channel: every effect plays on it and cuts off the one before.
constexpr int kMixingChannels = 1;

}  // namespace

std::optional<std::string> SystemSoundFont() {
    if (std::getenv("SDL_SOUNDFONTS") != nullptr) return std::nullopt;
    for (const char* path : kSystemSoundFonts) {
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) return std::string(path);
    }
    return std::nullopt;
}

AudioSession::AudioSession() {
    subsystemStarted_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!subsystemStarted_) return;
    Mix_Init(MIX_INIT_MID);
    if (const std::optional<std::string> soundFont = SystemSoundFont()) {
        Mix_SetSoundFonts(soundFont->c_str());
    }
    open_ = Mix_OpenAudio(kSampleRate, AUDIO_S16SYS, kOutputChannels, kBufferSamples) == 0;
    if (open_) Mix_AllocateChannels(kMixingChannels);
}

AudioSession::~AudioSession() {
    if (open_) Mix_CloseAudio();
    if (subsystemStarted_) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

}  // namespace tovek
