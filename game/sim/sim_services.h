#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "game/core/platform.h"

namespace tovek {

// The simulated clock: tick t runs t × interval milliseconds after midnight.
class SimulatedClock : public GameClock {
  public:
    explicit SimulatedClock(std::uint64_t seed) : seed_(seed) {}
    void SetTime(std::int64_t tick, int intervalMs) { milliseconds_ = tick * intervalMs; }
    int SecondsField() override { return static_cast<int>((milliseconds_ / 1000) % 60); }
    std::uint64_t RandomSeed() override { return seed_; }

  private:
    std::uint64_t seed_;
    std::int64_t milliseconds_ = 0;
};

// Remembers the last effect started since it was last asked.
class RecordingSound : public SoundOutput {
  public:
    void Play(int number, std::span<const std::uint8_t>) override { lastStarted_ = number; }
    std::optional<int> TakeLastStarted() { return std::exchange(lastStarted_, std::nullopt); }

  private:
    std::optional<int> lastStarted_;
};

// A music device that plays nothing: "stopped" until "play", "playing" after
// it, "stopped" again after "stop"; a piece never ends by itself. It records
// the command words it receives.
class ModelledMusicDevice : public MusicDevice {
  public:
    void Open(const std::filesystem::path&) override { words_.push_back("open"); }
    void Play() override {
        words_.push_back("play");
        playing_ = true;
    }
    void Stop() override {
        words_.push_back("stop");
        playing_ = false;
    }
    void Rewind() override { words_.push_back("prev"); }
    void Close() override { words_.push_back("close"); }
    std::string StatusMode() override { return playing_ ? "playing" : "stopped"; }

    std::vector<std::string> TakeWords() { return std::exchange(words_, {}); }

  private:
    bool playing_ = false;
    std::vector<std::string> words_;
};

}  // namespace tovek
