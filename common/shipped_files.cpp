#include "common/shipped_files.h"

#include <algorithm>
#include <optional>
#include <set>
#include <string_view>
#include <system_error>

#include "common/file_access.h"
#include "common/sha256.h"

namespace tovek {
namespace fs = std::filesystem;
namespace {

// Names of the regular files under `folder`, relative and with '/', sorted.
std::vector<std::string> ListFiles(const fs::path& folder, std::error_code& error) {
    std::vector<std::string> names;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::string name = it->path().lexically_relative(folder).generic_string();
        // An installed folder of shipped files has a manifest of its own.
        if (it->is_regular_file() && name != kShippedFilesManifest)
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::set<std::string, std::less<>> ReadManifest(const fs::path& path) {
    std::set<std::string, std::less<>> lines;
    const auto bytes = ReadFileBytes(path);
    if (!bytes) return lines;
    std::string line;
    for (const std::uint8_t byte : *bytes) {
        if (byte == '\n') {
            lines.insert(std::move(line));
            line.clear();
        } else {
            line += static_cast<char>(byte);
        }
    }
    return lines;
}

std::string Describe(const std::string& path, const std::error_code& error) {
    return path + ": " + error.message();
}

}  // namespace

ShippedFilesSync SyncShippedFiles(const fs::path& shipped, const fs::path& folder) {
    ShippedFilesSync result;
    std::error_code error;
    const std::vector<std::string> names = ListFiles(shipped, error);
    if (error) {
        result.failures.push_back(Describe(shipped.string(), error));
        return result;
    }
    fs::create_directories(folder, error);
    if (error) {
        result.failures.push_back(Describe(folder.string(), error));
        return result;
    }
    const fs::path manifestPath = folder / kShippedFilesManifest;
    const auto known = ReadManifest(manifestPath);
    std::string manifest;
    for (const std::string& name : names) {
        const auto bytes = ReadFileBytes(shipped / name);
        if (!bytes) {
            result.failures.push_back((shipped / name).string() + ": cannot be read");
            continue;
        }
        const std::string shippedHash = Sha256Hex(*bytes);
        const fs::path target = folder / name;
        std::optional<std::string> folderHash;
        if (FileExists(target)) {
            const auto present = ReadFileBytes(target);
            if (!present) {
                result.kept.push_back(name);  // unreadable: nothing to compare, so never replaced
                continue;
            }
            folderHash = Sha256Hex(*present);
        }
        const bool copy =
            !folderHash || (*folderHash != shippedHash && known.contains(name + " " + *folderHash));
        if (copy) {
            fs::create_directories(target.parent_path(), error);
            if (!error) error = ReplaceFileAtomically(target, *bytes);
            if (error) {
                result.failures.push_back(Describe(target.string(), error));
                error.clear();
                continue;
            }
            folderHash = shippedHash;
        } else if (*folderHash != shippedHash) {
            // Not recorded: a recorded digest would let the next sync replace it.
            result.kept.push_back(name);
            continue;
        }
        manifest += name + " " + *folderHash + "\n";
    }
    const auto previous = ReadFileBytes(manifestPath);
    if (!previous || std::string_view(reinterpret_cast<const char*>(previous->data()),
                                      previous->size()) != manifest) {
        const std::span<const std::uint8_t> manifestBytes(
            reinterpret_cast<const std::uint8_t*>(manifest.data()), manifest.size());
        error = ReplaceFileAtomically(manifestPath, manifestBytes);
        if (error) result.failures.push_back(Describe(manifestPath.string(), error));
    }
    return result;
}

}  // namespace tovek
