#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace tovek {

// When the timer's ticks are due: on the fixed grid start + k x interval
// (k = 1, 2, ...), so a tick that starts late never shifts the later ones.
// After a tick the next one is due at the first grid point after the moment
// the tick started: one that passed while the tick ran makes the next tick
// due at once, and any further points that passed are dropped, as the
// platform's timer drops them, so a stall never ends in a burst of ticks.
class TickSchedule {
  public:
    using Clock = std::chrono::steady_clock;

    TickSchedule(Clock::time_point start, Clock::duration interval);

    Clock::time_point Deadline() const { return start_ + interval_ * index_; }

    // Called after the due tick has run, with the time it started.
    void Advance(Clock::time_point tickStart);

    // While held no tick is due; on release the whole grid moves on by the
    // time held, so the next tick comes as long after the release as it was
    // still away at the hold.
    void Hold(Clock::time_point now);
    void Release(Clock::time_point now);
    bool Held() const { return heldAt_.has_value(); }

  private:
    Clock::time_point start_;
    Clock::duration interval_;
    std::int64_t index_ = 1;
    std::optional<Clock::time_point> heldAt_;
};

}  // namespace tovek
