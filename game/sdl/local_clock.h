#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include "game/core/platform.h"

namespace tovek {

// The computer's clock: the local time of day and a seed drawn from the time.
// While stopped, the time of day it reports stands still, and afterwards it
// runs on behind the real one by the time it stood: a pause costs the play
// clock nothing.
class LocalClock : public GameClock {
  public:
    using TimePoint = std::chrono::system_clock::time_point;
    using Now = std::function<TimePoint()>;

    explicit LocalClock(Now now = &std::chrono::system_clock::now);

    int SecondsField() override;
    std::uint64_t RandomSeed() override;

    void Stop();
    void Resume();
    bool Stopped() const { return stoppedAt_.has_value(); }

  private:
    TimePoint TimeOfPlay() const;

    Now now_;
    std::chrono::system_clock::duration stoodStill_{0};
    std::optional<TimePoint> stoppedAt_;
};

}  // namespace tovek
