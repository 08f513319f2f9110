#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editor/core/stage_document.h"

namespace quorle {

// One line of the stage check: what is wrong and, when it lies in a cell,
// which one.
struct StageProblem {
    std::string text;
    std::optional<std::pair<int, int>> cell;

    friend bool operator==(const StageProblem&, const StageProblem&) = default;
};

// What keeps a stage from playing as it looks, by the game's rules, in this
// order: the start marker (none, or more than one), the goal, ports without
// a partner, actors and lifts inside solid tiles, drop lifts with nothing
// solid below them, lift values that make no lift, a background outside
// 0..15, and main tiles the game does not show (64 and above). Cells are
// named in reading order; a rule with very many cells names the first ones
// and counts the rest.
std::vector<StageProblem> CheckStageRules(const StageDocument& document);

}  // namespace quorle
