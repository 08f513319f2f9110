#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tovek {

struct SimOptions {
    std::filesystem::path dir;
    int stage = 0;
    std::int64_t ticks = 0;
    std::uint64_t seed = 1;
    std::optional<std::filesystem::path> keysFile;
    std::int64_t every = 1;
    bool map = false;
    std::optional<std::filesystem::path> framesDir;
    // Draw every frame even when none is written (--frames implies it).
    bool drawFrames = false;
};

struct KeyEvent {
    std::int64_t tick;
    bool down;
    int keyCode;
};

// Parses the command line; on a usage error returns nothing and sets error to
// one line naming the problem.
std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string& error);

// The name a keys file gives a key code ("Left", "Space", ...); empty for a
// key the game does not react to.
std::string KeyName(int keyCode);

// Events as the lines of a keys file, in their order.
std::string FormatKeyScript(const std::vector<KeyEvent>& events);

// Parses a keys file ("TICK down|up KEY" per line, # comments; a leading
// byte-order mark is skipped); on a malformed line returns nothing and sets
// error naming the line and quoting the start of it.
std::optional<std::vector<KeyEvent>> ParseKeyScript(const std::string& text,
                                                    const std::string& fileName,
                                                    std::string& error);

// Reads and parses a keys file; a file that cannot be read (or is not a
// regular file) is an error naming the reason.
std::optional<std::vector<KeyEvent>> ReadKeyScript(const std::filesystem::path& path,
                                                   std::string& error);

}  // namespace tovek
