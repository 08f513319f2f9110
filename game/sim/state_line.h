#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tovek {

struct Game;

// What happened during a printed line's step besides the state itself.
struct StepReport {
    std::optional<int> sound;
    std::vector<std::string> music;
};

// One JSON object, keys in the fixed order of the tool's contract.
std::string StateLine(const Game& game, std::int64_t tick, const StepReport& report, bool withMap);

}  // namespace tovek
