#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "game/sim/sim_options.h"

namespace tovek {

// "cannot write WHAT", with the system's reason when there is one.
std::string WriteFailure(const std::string& what, int systemError);

// Runs the game headless as the tool's contract describes and prints one
// state line per reported tick. Returns the process exit status; on failure
// error names the problem. What goes wrong without ending the run (a record
// that cannot be saved) is said on warnings.
int RunSimulation(const SimOptions& options, std::vector<KeyEvent> keys, std::ostream& out,
                  std::ostream& warnings, std::string& error);

}  // namespace tovek
