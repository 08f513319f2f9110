#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "game/sim/sim_options.h"

namespace tovek {

struct Game;

// Delivers the events of `tick` from keys[next] on, in file order, as they
// come before that tick runs; returns the index of the first later event.
std::size_t DeliverKeyEvents(Game& game, const std::vector<KeyEvent>& keys, std::size_t next,
                             std::int64_t tick);

// "cannot write WHAT", with the system's reason when there is one.
std::string WriteFailure(const std::string& what, int systemError);

// Runs the game headless as the tool's contract describes and prints one
// state line per reported tick. Returns the process exit status; on failure
// error names the problem. What goes wrong without ending the run (a record
// that cannot be saved) is said on warnings.
int RunSimulation(const SimOptions& options, std::vector<KeyEvent> keys, std::ostream& out,
                  std::ostream& warnings, std::string& error);

}  // namespace tovek
