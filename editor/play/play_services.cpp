#include "editor/play/play_services.h"

#include <algorithm>
#include <chrono>
#include <ctime>

namespace quorle {

int WallClock::SecondsField() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) return 0;
    return std::clamp(local.tm_sec, 0, 59);  // a leap second reads as 59
}

std::uint64_t WallClock::RandomSeed() {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch).count());
}

}  // namespace quorle
