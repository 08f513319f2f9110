#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace tovek {

// The questions every command-line tool answers: with "--help" as its first
// argument it writes `help` (its usage) to `out`, with "--version" the line
// "PROGRAM VERSION"; either returns exit status 0. Other arguments give
// nothing, and the tool goes on with its own work.
std::optional<int> AnswerHelpOrVersion(std::span<const std::string> args, std::string_view program,
                                       std::string_view help, std::ostream& out);

}  // namespace tovek
