#include "game/sdl/tick_schedule.h"

#include <algorithm>

namespace tovek {

TickSchedule::TickSchedule(Clock::time_point start, Clock::duration interval)
    : start_(start), interval_(std::max(interval, Clock::duration(1))) {}

void TickSchedule::Advance(Clock::time_point tickStart) {
    // The grid point the tick started after; a clock before start counts as 0.
    const std::int64_t passed = std::max<std::int64_t>((tickStart - start_) / interval_, 0);
    index_ = std::max(index_, passed) + 1;
}

void TickSchedule::Hold(Clock::time_point now) {
    if (!heldAt_) heldAt_ = now;
}

void TickSchedule::Release(Clock::time_point now) {
    if (!heldAt_) return;
    start_ += std::max(now - *heldAt_, Clock::duration::zero());
    heldAt_.reset();
}

}  // namespace tovek
