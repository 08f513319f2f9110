#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/core/game.h"
#include "game/core/record_store.h"
#include "game/sim/sim_options.h"
#include "game/sim/sim_services.h"
#include "game/solver/solver.h"

namespace tovek {

// The arrow keys a run holds: 0 none, 1 Left (Up), 2 Right (Down).
struct HeldKeys {
    std::uint8_t horizontal = 0;
    std::uint8_t vertical = 0;

    friend bool operator==(const HeldKeys&, const HeldKeys&) = default;
};

// The key events that turn `from` into `to` before tick `tick`: a key let go
// is released before its replacement is pressed.
void AppendKeyChanges(HeldKeys from, HeldKeys to, std::int64_t tick, std::vector<KeyEvent>& out);

// One game started exactly as tovek-sim starts a run (settings, seed, first
// focus, stage number, Space), with services that play, show and keep
// nothing. The search steps it tick by tick and moves it between snapshots.
class StageRun {
  public:
    // Nothing when the stage cannot be started (its file is missing).
    static std::unique_ptr<StageRun> Start(const SolverSetup& setup, std::string* error);

    Game& game() { return game_; }
    const Game& game() const { return game_; }

    // Delivers the key changes from `from` to `to`, then runs tick `tick`
    // (counted from the end of the lead-in).
    void Step(std::int64_t tick, HeldKeys from, HeldKeys to);

  private:
    StageRun() = default;

    void PlayLeadIn(const std::vector<KeyEvent>& events);

    // Remembers only whether the piece plays, as the modelled device does.
    class QuietMusic : public MusicDevice {
      public:
        void Open(const std::filesystem::path&) override {}
        void Play() override { playing_ = true; }
        void Stop() override { playing_ = false; }
        void Rewind() override {}
        void Close() override {}
        std::string StatusMode() override { return playing_ ? "playing" : "stopped"; }

      private:
        bool playing_ = false;
    };
    class QuietSound : public SoundOutput {
      public:
        void Play(int, std::span<const std::uint8_t>) override {}
    };

    SimulatedClock clock_{1};
    QuietSound sound_;
    QuietMusic music_;
    NoRecords records_;
    Game game_;
    std::int64_t ticksBefore_ = 0;  // run by the lead-in
};

}  // namespace tovek
