#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "game/core/game.h"
#include "game/solver/goal_distances.h"
#include "game/solver/stage_run.h"

namespace tovek {

// A changed map cell: index column + row * width, and its tile now.
using TileChange = std::pair<std::uint32_t, std::uint8_t>;

// A game in play as the search keeps it: the snapshot without the two map
// layers, and the cells of the tile map that differ from the stage's start.
struct NodeState {
    GameSnapshot snapshot;
    std::vector<TileChange> changedTiles;
    std::uint64_t mapKey = 0;  // names the changes that can matter to the way

    std::size_t Bytes() const;
};

// What the search learns of a game after a step, to rank and prune it.
struct StateKeys {
    std::uint64_t duplicate = 0;  // equal for states the search treats as one
    std::uint64_t place = 0;      // the cell, power-ups and changes to the world
    int wayToGoal = 0;
    bool mayPressDown = false;  // in water, or standing on a down-port
};

// Moves one StageRun between node states. The stage's layers at its start
// are kept once; a state stores only how its tile map differs.
class StateKeeper {
  public:
    explicit StateKeeper(StageRun& run);

    void Load(const NodeState& state);
    // Takes the game as it stands now into `state`, reusing its storage.
    void Save(NodeState& state);
    StateKeys Keys(const NodeState& state, const GoalDistances& distances) const;

    StageRun& run() { return run_; }

  private:
    StageRun& run_;
    std::vector<std::uint8_t> startTiles_;
    std::vector<std::uint8_t> startWater_;
    std::size_t startActorCount_;
};

}  // namespace tovek
