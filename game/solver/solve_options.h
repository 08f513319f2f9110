#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tovek {

struct SolveOptions {
    std::filesystem::path dir;
    int stage = 0;
    std::optional<int> chara;
    std::uint64_t seed = 1;
    std::int64_t budget = 20'000'000;
    int threads = 1;
    std::optional<std::filesystem::path> keysFile;
    // Go on through every later stage in the same session; the whole run is written here.
    std::optional<std::filesystem::path> journeyFile;
};

// Parses tovek-solve's command line; on a usage error returns nothing and
// sets error to one line naming the problem.
std::optional<SolveOptions> ParseSolveOptions(const std::vector<std::string>& args,
                                              std::string& error);

}  // namespace tovek
