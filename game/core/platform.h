#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace tovek {

class Surface;
class RecordStore;

// What the game asks of the platform. The window program implements these for
// real; tests and tovek-sim use fakes.

class GameClock {
  public:
    virtual ~GameClock() = default;
    // Seconds field (0..59) of the current local time of day.
    virtual int SecondsField() = 0;
    // The seed of the random source at start-up (the game takes it from the clock).
    virtual std::uint64_t RandomSeed() = 0;
};

class SoundOutput {
  public:
    virtual ~SoundOutput() = default;
    // Starts a WAVE image asynchronously; a new sound cuts off the one playing.
    virtual void Play(int number, std::span<const std::uint8_t> wave) = 0;
};

// The MIDI device, opened once under one name and then addressed by it.
class MusicDevice {
  public:
    virtual ~MusicDevice() = default;
    virtual void Open(const std::filesystem::path& file) = 0;
    virtual void Play() = 0;    // from the current position
    virtual void Stop() = 0;    // keeps the position
    virtual void Rewind() = 0;  // seek to the start
    virtual void Close() = 0;
    // The device's answer to the mode query: "stopped", "playing", or empty
    // when no piece is open.
    virtual std::string StatusMode() = 0;
};

// Shows the display surface in the window (stretched while maximised).
class FramePresenter {
  public:
    virtual ~FramePresenter() = default;
    virtual void PresentFrame(const Surface& picMain) = 0;
};

struct GameServices {
    GameClock* clock = nullptr;
    SoundOutput* sound = nullptr;
    MusicDevice* music = nullptr;
    FramePresenter* presenter = nullptr;
    RecordStore* records = nullptr;
};

}  // namespace tovek
