#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tovek::soak {

// Checks tovek-sim's state lines one after another against what holds for
// every run: strict JSON with the contract's keys in order, ticks counting
// from 0, positions within 1,024 pixels of the map, as many lifts as the
// stage made (or none off stage), at most the actors the stage and its
// spawners can make, and a score never below -100 per miss.
class StateChecker {
  public:
    // The size of the stage the run plays, in cells (0 when it has none).
    StateChecker(int mapWidth, int mapHeight) : mapWidth_(mapWidth), mapHeight_(mapHeight) {}

    // The first rule the line breaks, or nothing.
    std::optional<std::string> Check(const std::string& line);
    std::int64_t Lines() const { return lines_; }

  private:
    int mapWidth_;
    int mapHeight_;
    std::int64_t lines_ = 0;
    std::optional<std::size_t> lifts_;
    std::optional<std::size_t> maxActors_;
};

}  // namespace tovek::soak
