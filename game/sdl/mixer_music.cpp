#include "game/sdl/mixer_music.h"

#include <SDL.h>

#include <utility>

#include "common/file_access.h"
#include "game/sdl/audio_session.h"

namespace tovek {
namespace {

constexpr int kPlayOnce = 1;

}  // namespace

// Loads one copy of the piece on a thread of SDL's own (SDL frees its
// per-thread data only for those).
class MixerMusic::CopyLoader {
  public:
    explicit CopyLoader(std::shared_ptr<const std::vector<std::uint8_t>> file)
        : file_(std::move(file)) {
        thread_ = SDL_CreateThread(&CopyLoader::Load, "music loader", this);
        if (thread_ == nullptr) Load(this);
    }
    ~CopyLoader() { Wait(); }
    CopyLoader(const CopyLoader&) = delete;
    CopyLoader& operator=(const CopyLoader&) = delete;

    // Waits for the copy; empty when it could not be loaded.
    Piece Wait() {
        if (thread_ != nullptr) SDL_WaitThread(thread_, nullptr);
        thread_ = nullptr;
        return std::exchange(loaded_, nullptr);
    }

  private:
    static int Load(void* data) {
        auto* loader = static_cast<CopyLoader*>(data);
        const std::vector<std::uint8_t>& file = *loader->file_;
        SDL_RWops* bytes = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
        if (bytes != nullptr) loader->loaded_.reset(Mix_LoadMUS_RW(bytes, 1));
        return 0;
    }

    std::shared_ptr<const std::vector<std::uint8_t>> file_;
    Piece loaded_;
    SDL_Thread* thread_ = nullptr;
};

void MixerMusic::PieceFree::operator()(Mix_Music* piece) const {
    Mix_FreeMusic(piece);
}

MixerMusic::MixerMusic(const AudioSession& audio) : audio_(audio) {}

MixerMusic::~MixerMusic() {
    Close();
}

void MixerMusic::PrepareFreshCopy() {
    loading_ = std::make_unique<CopyLoader>(file_);
}

void MixerMusic::FinishLoading() {
    if (loading_) fresh_ = std::exchange(loading_, nullptr)->Wait();
}

MixerMusic::Piece MixerMusic::TakeFreshCopy() {
    FinishLoading();
    Piece piece = std::move(fresh_);
    if (piece) PrepareFreshCopy();
    return piece;
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
    loading_.reset();
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
            FinishLoading();
            if (fresh_) return "stopped";
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
