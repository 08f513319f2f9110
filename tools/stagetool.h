#pragma once

#include <ostream>
#include <span>
#include <string>

namespace tovek {

// Exit statuses of stagetool.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitProblems = 1;  // check found problems, or the output could not be written
inline constexpr int kExitUsage = 2;     // one line on the error stream says what was wrong

// Runs stagetool on the arguments after the program name:
//   decode FILE | encode JSON OUT [--seed S] | render FILE OUT.png | check FILE
//   | text FILE | build SOURCE OUT [--seed S] | --help
int RunStagetool(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace tovek
