#include "game/sdl/held_music.h"

namespace tovek {

void HeldMusic::Open(const std::filesystem::path& file) {
    playOnRelease_ = false;
    device_.Open(file);
}

void HeldMusic::Play() {
    if (held_) {
        playOnRelease_ = true;
    } else {
        device_.Play();
    }
}

void HeldMusic::Stop() {
    playOnRelease_ = false;
    device_.Stop();
}

void HeldMusic::Rewind() {
    device_.Rewind();
}

void HeldMusic::Close() {
    playOnRelease_ = false;
    device_.Close();
}

// The game sees the piece as playing while it only waits for the release.
std::string HeldMusic::StatusMode() {
    if (held_ && playOnRelease_) return "playing";
    return device_.StatusMode();
}

void HeldMusic::Hold() {
    if (held_) return;
    held_ = true;
    if (device_.StatusMode() == "playing") {
        device_.Stop();
        playOnRelease_ = true;
    }
}

void HeldMusic::Release() {
    if (!held_) return;
    held_ = false;
    if (playOnRelease_) device_.Play();
    playOnRelease_ = false;
}

}  // namespace tovek
