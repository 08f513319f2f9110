#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "game/core/platform.h"

namespace quorle {

// What the game asks of the platform while it is played inside the editor:
// no sound, no music (nothing is opened), the clock of the day.
class SilentSound : public tovek::SoundOutput {
  public:
    void Play(int, std::span<const std::uint8_t>) override {}
};

class SilentMusic : public tovek::MusicDevice {
  public:
    void Open(const std::filesystem::path&) override {}
    void Play() override {}
    void Stop() override {}
    void Rewind() override {}
    void Close() override {}
    std::string StatusMode() override { return ""; }
};

// The local time of day, as the game's window reads it.
class WallClock : public tovek::GameClock {
  public:
    int SecondsField() override;
    std::uint64_t RandomSeed() override;
};

}  // namespace quorle
