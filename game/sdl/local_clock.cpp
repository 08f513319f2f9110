#include "game/sdl/local_clock.h"

#include <algorithm>
#include <ctime>
#include <utility>

namespace tovek {

LocalClock::LocalClock(Now now) : now_(std::move(now)) {}

LocalClock::TimePoint LocalClock::TimeOfPlay() const {
    return stoppedAt_.value_or(now_()) - stoodStill_;
}

int LocalClock::SecondsField() {
    const std::time_t now = std::chrono::system_clock::to_time_t(
        std::chrono::floor<std::chrono::seconds>(TimeOfPlay()));
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) return 0;
    return std::clamp(local.tm_sec, 0, 59);  // a leap second reads as 59
}

std::uint64_t LocalClock::RandomSeed() {
    const auto sinceEpoch = now_().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch).count());
}

void LocalClock::Stop() {
    if (!stoppedAt_) stoppedAt_ = now_();
}

void LocalClock::Resume() {
    if (!stoppedAt_) return;
    stoodStill_ += std::max(now_() - *stoppedAt_, std::chrono::system_clock::duration::zero());
    stoppedAt_.reset();
}

}  // namespace tovek
