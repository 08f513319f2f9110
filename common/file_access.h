#pragma once

#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>
#include <vector>

#include "common/file_faults.h"

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

// What reading a file gave: its bytes, or why it could not be read (then
// bytes is empty). A missing file is std::errc::no_such_file_or_directory.
struct FileContents {
    std::vector<std::uint8_t> bytes;
    std::error_code error;
};

// The first `limit` bytes of a regular file (all of it when shorter). A
// folder, a named pipe or a device is refused without waiting on it, so a
// reader never hangs and never holds more than it can use.
FileContents ReadRegularFile(const std::filesystem::path& path,
                             std::size_t limit = std::numeric_limits<std::size_t>::max(),
                             FileFaults* faults = nullptr);

// ReadRegularFile's bytes, or nothing when the file cannot be read.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(
    const std::filesystem::path& path, std::size_t limit = std::numeric_limits<std::size_t>::max());

// Replaces (or creates) `path` with `bytes` so that a crash or a full disk
// never leaves it half written: the bytes go to a temporary file in the same
// folder, are synced to disk, and the temporary file is renamed over `path`.
// A symbolic link at `path` is followed and its target replaced; a target
// that exists and is not a regular file is refused. Temporary files left in
// that folder by writers that died are removed first. On failure the target
// is untouched, the temporary file is gone, and the error says why.
std::error_code ReplaceFileAtomically(const std::filesystem::path& path,
                                      std::span<const std::uint8_t> bytes,
                                      FileFaults* faults = nullptr);

// An advisory lock on a folder, held while the object lives, so that
// programs sharing the folder take turns at reading and rewriting a file in
// it. Waits until the lock is granted; a folder that cannot be opened is not
// locked (the write that follows then reports the problem).
class FolderLock {
  public:
    explicit FolderLock(const std::filesystem::path& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    int descriptor_ = -1;
};

}  // namespace tovek
