#pragma once

#include "game/core/platform.h"

namespace tovek {

// The computer's clock: the local time of day and a seed drawn from the time.
class LocalClock : public GameClock {
  public:
    int SecondsField() override;
    std::uint64_t RandomSeed() override;
};

}  // namespace tovek
