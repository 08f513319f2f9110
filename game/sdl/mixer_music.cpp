#include "game/sdl/mixer_music.h"

#include "common/file_access.h"
#include "game/sdl/audio_session.h"

namespace tovek {
namespace {

constexpr int kPlayOnce = 1;

}  // namespace

void MixerMusic::PieceFree::operator()(Mix_Music* piece) const {
    Mix_FreeMusic(piece);
}

MixerMusic::MixerMusic(const AudioSession& audio) : audio_(audio) {}

MixerMusic::~MixerMusic() {
    Close();
}

void MixerMusic::PrepareFreshCopy() {
    loading_ = std::async(std::launch::async, [file = file_]() {
        SDL_RWops* bytes = SDL_RWFromConstMem(file->data(), static_cast<int>(file->size()));
        return Piece(bytes == nullptr ? nullptr : Mix_LoadMUS_RW(bytes, 1));
    });
}

MixerMusic::Piece MixerMusic::TakeFreshCopy() {
    if (loading_.valid()) fresh_ = loading_.get();
    Piece piece = std::move(fresh_);
    if (piece) PrepareFreshCopy();
    return piece;
}

bool MixerMusic::FreshCopyLoads() {
    if (loading_.valid()) fresh_ = loading_.get();
    return fresh_ != nullptr;
}

// The library lets the last notes fade before it reports the end, so the end
// is noticed a few seconds after the last note.
void MixerMusic::NoticeEnd() {
    if (state_ == State::Playing && !Mix_PlayingMusic()) state_ = State::Ended;
}

void MixerMusic::Open(const std::filesystem::path& file) {
    Close();
    if (!audio_.IsOpen()) return;
    std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(file);
    if (!bytes || bytes->empty()) return;
    file_ = std::make_shared<const std::vector<std::uint8_t>>(std::move(*bytes));
    PrepareFreshCopy();
    state_ = State::AtStart;
}

void MixerMusic::Play() {
    NoticeEnd();
    if (state_ == State::Paused) {
        Mix_ResumeMusic();
        state_ = State::Playing;
        return;
    }
    if (state_ != State::AtStart) return;
    current_ = TakeFreshCopy();
    if (!current_) {
        Close();  // the piece cannot be read
        return;
    }
    Mix_PlayMusic(current_.get(), kPlayOnce);
    Mix_ResumeMusic();  // a Stop before the last Rewind left the library paused
    state_ = State::Playing;
}

void MixerMusic::Stop() {
    NoticeEnd();
    if (state_ != State::Playing) return;
    Mix_PauseMusic();
    state_ = State::Paused;
}

void MixerMusic::Rewind() {
    if (state_ != State::Playing && state_ != State::Paused && state_ != State::Ended) return;
    Mix_HaltMusic();
    current_.reset();
    state_ = State::AtStart;
}

void MixerMusic::Close() {
    if (current_) Mix_HaltMusic();
    current_.reset();
    if (loading_.valid()) loading_.get();
    fresh_.reset();
    file_.reset();
    state_ = State::Closed;
}

std::string MixerMusic::StatusMode() {
    NoticeEnd();
    switch (state_) {
        case State::Closed:
            return "";
        case State::AtStart:
            if (FreshCopyLoads()) return "stopped";
            Close();  // the piece cannot be read
            return "";
        case State::Playing:
            return "playing";
        case State::Paused:
        case State::Ended:
            return "stopped";
    }
    return "";
}

}  // namespace tovek
