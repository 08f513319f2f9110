#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "game/sim/sim_options.h"

namespace tovek {

// Runs the game headless as the tool's contract describes and prints one
// state line per reported tick. Returns the process exit status; on failure
// error names the problem.
// "cannot write WHAT", with the system's reason when there is one.
std::string WriteFailure(const std::string& what, int systemError);

int RunSimulation(const SimOptions& options, std::vector<KeyEvent> keys, std::ostream& out,
                  std::string& error);

}  // namespace tovek
