#pragma once

#include <chrono>
#include <cstdint>

namespace tovek {

// When the timer's ticks are due: on the fixed grid start + k x interval
// (k = 1, 2, ...), so waiting late for one tick never shifts the later ones.
// A tick that could not run on time runs once as soon as possible; the grid
// points that passed meanwhile are dropped, as the platform's timer drops
// them, so a stall never ends in a burst of ticks.
class TickSchedule {
  public:
    using Clock = std::chrono::steady_clock;

    TickSchedule(Clock::time_point start, Clock::duration interval);

    Clock::time_point Deadline() const { return start_ + interval_ * index_; }

    // Called after the due tick has run, with the time it finished.
    void Advance(Clock::time_point now);

  private:
    Clock::time_point start_;
    Clock::duration interval_;
    std::int64_t index_ = 1;
};

}  // namespace tovek
