#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/sim/sim_options.h"
#include "game/solver/solver.h"

namespace tovek {

// One stage of a journey, solved from where the stage before left the game.
struct JourneyLeg {
    int stage = 0;
    SolverResult result;  // its ticks counted from the stage's start
};

// A whole session from one stage to the last, as a player plays it: each
// stage is solved with the random source and clock as the stages before
// left them, and Space on its tally starts the next.
struct Journey {
    std::vector<KeyEvent> keys;  // the whole run, ticks counted from the session's start
    std::vector<JourneyLeg> legs;
    // The last stage was cleared and Space on its tally was pressed.
    bool complete = false;
};

// Solves from `setup.stage` on until the last stage is cleared or a stage is
// not; `onLeg` hears of each stage as it is solved. Nothing when a stage
// cannot be started (a missing stage file), with error naming why.
std::optional<Journey> SolveJourney(const SolverSetup& setup, const SolverOptions& options,
                                    const std::function<void(const JourneyLeg&)>& onLeg,
                                    std::string* error);

}  // namespace tovek
