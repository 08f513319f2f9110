#pragma once

#include <SDL_mixer.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "game/core/platform.h"

namespace tovek {

class AudioSession;

// The music device on SDL2_mixer's MIDI playback (FluidSynth).
//
// The library cannot seek in a MIDI piece, reports its end only seconds after
// the last note, and keeps its paused flag across pieces, so the device keeps
// its own state and uses the library only to carry it out:
//   Open    reads the file; the piece stands stopped at its start.
//   Play    at the start: plays a fresh copy of the piece; after Stop: resumes.
//   Stop    pauses where the piece is.
//   Rewind  halts the copy in use; the next Play takes a fresh one.
//   Close   halts and frees everything; the status is empty again.
// The status is "playing" while a piece plays, "stopped" when it is open and
// not playing (also once it has played to its end), and empty when no piece
// is open: a missing or unreadable file, or no sound device.
//
// Each copy costs FluidSynth its soundfont load, so the next fresh copy is
// always being prepared off the window thread while the current one plays.
class MixerMusic : public MusicDevice {
  public:
    explicit MixerMusic(const AudioSession& audio);
    ~MixerMusic() override;
    MixerMusic(const MixerMusic&) = delete;
    MixerMusic& operator=(const MixerMusic&) = delete;

    void Open(const std::filesystem::path& file) override;
    void Play() override;
    void Stop() override;
    void Rewind() override;
    void Close() override;
    std::string StatusMode() override;

  private:
    struct PieceFree {
        void operator()(Mix_Music* piece) const;
    };
    using Piece = std::unique_ptr<Mix_Music, PieceFree>;

    enum class State { Closed, AtStart, Playing, Paused, Ended };

    class CopyLoader;

    void PrepareFreshCopy();
    // Waits for the copy being prepared; fresh_ is empty when it failed.
    void FinishLoading();
    // The prepared copy (empty when it failed); the next one is prepared.
    Piece TakeFreshCopy();
    void NoticeEnd();

    const AudioSession& audio_;
    State state_ = State::Closed;
    std::shared_ptr<const std::vector<std::uint8_t>> file_;
    Piece current_;
    std::unique_ptr<CopyLoader> loading_;
    Piece fresh_;
};

}  // namespace tovek
