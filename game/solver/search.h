#pragma once

#include <memory>
#include <optional>
#include <string>

#include "game/solver/solver.h"

namespace tovek {

// Best-first search over snapshots of the game: each step holds a choice of
// arrow keys for a few ticks; steps that reach new places and come nearer to
// the goal (along the ways a player can go, ports included) come first, and
// states already seen are dropped. After the first clear the search goes on
// for a while for an earlier one. The order of work depends on the arguments
// only, so threads change the speed and never the answer.
class StageSearch {
  public:
    StageSearch(const SolverSetup& setup, const SolverOptions& options);
    ~StageSearch();

    // Nothing when the run cannot start.
    std::optional<SolverResult> Run(std::string* error);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tovek
