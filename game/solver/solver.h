#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/stage_file.h"
#include "game/sim/sim_options.h"

namespace tovek {

// The run to be solved: the game as tovek-sim starts it with this program
// folder, stage number and seed.
struct SolverSetup {
    std::filesystem::path programFolder;  // Tovek.ini, and the stage folder it names
    int stage = 1;
    // Played instead of the stage file when set (an editor's document).
    std::optional<GameStage> stageInMemory;
    // Replaces the "Chara" setting when set.
    std::optional<int> character;
    std::uint64_t seed = 1;
    // Played first, as tovek-sim plays a keys file (a journey so far): ticks
    // before the last event's tick run, then that tick's events are delivered.
    // The search goes on from there, on the stage then in play, and counts
    // its ticks from that point.
    std::vector<KeyEvent> leadIn;
};

struct SolverOptions {
    std::int64_t budget = 20'000'000;  // the most ticks simulated in all
    int threads = 1;                   // share the work; the answer stays the same
    // Checked between rounds of the search; a set flag ends it as not cleared.
    const std::atomic<bool>* cancel = nullptr;
    // Called on the calling thread between rounds with the ticks simulated so far.
    std::function<void(std::int64_t)> progress;
};

// A player position, map pixels of the box's top-left corner.
struct RoutePoint {
    std::int16_t x = 0;
    std::int16_t y = 0;

    friend bool operator==(const RoutePoint&, const RoutePoint&) = default;
};

// The run that came nearest to a goal cell.
struct ClosestApproach {
    std::int64_t tick = 0;
    int x = 0;
    int y = 0;
    // Least Chebyshev distance in cells from the player's cell to a goal
    // cell; nothing when the map has no goal.
    std::optional<int> cellsToGoal;
};

struct SolverResult {
    int character = 0;
    bool cleared = false;
    bool cancelled = false;
    std::int64_t tick = 0;   // the first tick on which the stage is cleared
    std::int32_t score = 0;  // the score on that tick
    std::int64_t ticksSimulated = 0;
    ClosestApproach closest;
    // The clearing run as key events (tovek-sim's keys format), ending with
    // the release of every key still held; empty when not cleared.
    std::vector<KeyEvent> keys;
    // The player's position after every tick 0..tick of the clearing run.
    std::vector<RoutePoint> route;
};

// Searches key presses that clear the stage without a miss. Nothing when the
// run cannot start (no stage file), with error naming why.
std::optional<SolverResult> SolveStage(const SolverSetup& setup, const SolverOptions& options,
                                       std::string* error);

}  // namespace tovek
