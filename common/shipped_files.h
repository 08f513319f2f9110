#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tovek {

// What ships with the programs (settings, music, the stage folder) is copied
// into a program folder without ever replacing a file the user changed there.
// The folder's manifest records the digest each shipped file had when the last
// sync left it; a file still holding that digest is replaced by a newer
// shipped version, a changed one is kept, and a missing one is copied.
struct ShippedFilesSync {
    std::vector<std::string> kept;      // shipped names left alone because they were changed
    std::vector<std::string> failures;  // "PATH: reason" for each file that could not be copied
};

// The manifest's name inside the program folder.
inline constexpr char kShippedFilesManifest[] = ".dist-manifest";

// Copies every file under `shipped` into `folder` (which is made when
// missing) by the rule above, and rewrites the manifest.
ShippedFilesSync SyncShippedFiles(const std::filesystem::path& shipped,
                                  const std::filesystem::path& folder);

}  // namespace tovek
