#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>
#include <vector>

namespace tovek {

// The folder that holds the running program; settings, music and the stage
// folder are found beside it.
std::filesystem::path ProgramFolder();

// base / relative, where each component of `relative` that names an existing
// entry whatever its letter case (M01.DAT for m01.dat) takes the entry's real
// name. Components that match nothing keep their spelling, so a file created
// there gets the name as written.
std::filesystem::path ResolveIgnoringCase(const std::filesystem::path& base,
                                          const std::filesystem::path& relative);

// A folder setting such as "stages\set1" as a path relative to the program
// folder: backslashes and slashes both separate components, and a leading
// separator does not make it absolute.
std::filesystem::path FolderSettingToRelativePath(std::string_view setting);

// True when something other than a folder exists at `path`.
bool FileExists(const std::filesystem::path& path);

// The whole file, or nothing when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path);

// Replaces (or creates) `path` with `bytes` so that a crash or a full disk
// never leaves it half written: the bytes go to a temporary file in the same
// folder, are synced to disk, and the temporary file is renamed over `path`.
// On failure `path` is untouched, the temporary file is gone, and the system
// error says why.
std::error_code ReplaceFileAtomically(const std::filesystem::path& path,
                                      std::span<const std::uint8_t> bytes);

}  // namespace tovek
