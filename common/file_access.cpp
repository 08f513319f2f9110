#include "common/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>

#include "common/text_encoding.h"

namespace tovek {
namespace fs = std::filesystem;
namespace {

// The real name of the entry of `folder` that matches `name` ignoring case; an
// exact match wins, otherwise the alphabetically first, so the choice does not
// depend on the order in which the folder lists its entries.
std::optional<fs::path> FindEntryIgnoringCase(const fs::path& folder, const fs::path& name) {
    std::error_code error;
    if (fs::exists(fs::symlink_status(folder / name, error))) return name;
    std::optional<std::string> best;
    const std::string wanted = name.string();
    const fs::path listed = folder.empty() ? fs::path(".") : folder;
    for (fs::directory_iterator it(listed, error), end; !error && it != end; it.increment(error)) {
        std::string candidate = it->path().filename().string();
        if (EqualIgnoringAsciiCase(candidate, wanted) && (!best || candidate < *best)) {
            best = std::move(candidate);
        }
    }
    if (!best) return std::nullopt;
    return fs::path(*best);
}

std::error_code LastSystemError() {
    return std::error_code(errno, std::generic_category());
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Writes all of `bytes` to the descriptor, retrying short writes.
std::error_code WriteAll(int descriptor, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return LastSystemError();
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return {};
}

// Creates a fresh temporary file beside `path` and returns its descriptor.
int CreateTemporaryBeside(const fs::path& path, fs::path& temporary, std::error_code& error) {
    std::string stem = ".";
    stem += path.filename().string();
    stem += ".tmp";
    stem += std::to_string(::getpid());
    stem += '-';
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = path.parent_path() / (stem + std::to_string(attempt));
        const int descriptor =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) return descriptor;
        if (errno != EEXIST) break;
    }
    error = LastSystemError();
    return -1;
}

// Makes the rename itself durable; a failure here loses nothing that was
// already visible, so it is not reported.
void SyncFolder(const fs::path& folder) {
    const int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return;
    ::fsync(descriptor);
    ::close(descriptor);
}

}  // namespace

fs::path ProgramFolder() {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error) return executable.parent_path();
    return fs::current_path(error);
}

fs::path ResolveIgnoringCase(const fs::path& base, const fs::path& relative) {
    fs::path resolved = base;
    bool searching = true;
    for (const fs::path& component : relative) {
        if (searching && component != "." && component != ".." && component != "/") {
            if (std::optional<fs::path> found = FindEntryIgnoringCase(resolved, component)) {
                resolved /= *found;
                continue;
            }
            searching = false;  // nothing below a missing folder can exist
        }
        resolved /= component;
    }
    return resolved;
}

fs::path FolderSettingToRelativePath(std::string_view setting) {
    fs::path relative;
    std::string component;
    for (std::size_t i = 0; i <= setting.size(); ++i) {
        if (i == setting.size() || setting[i] == '\\' || setting[i] == '/') {
            if (!component.empty()) relative /= component;
            component.clear();
        } else {
            component += setting[i];
        }
    }
    return relative;
}

bool FileExists(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    return !error && fs::exists(status) && !fs::is_directory(status);
}

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const fs::path& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + count);
    }
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
}

std::error_code ReplaceFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
    std::error_code error;
    fs::path temporary;
    const int descriptor = CreateTemporaryBeside(path, temporary, error);
    if (descriptor < 0) return error;
    struct stat old;
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(descriptor, old.st_mode & 07777);  // keep the replaced file's permissions
    }
    error = WriteAll(descriptor, bytes);
    if (!error && ::fsync(descriptor) != 0) error = LastSystemError();
    if (::close(descriptor) != 0 && !error) error = LastSystemError();
    if (!error && std::rename(temporary.c_str(), path.c_str()) != 0) error = LastSystemError();
    if (error) {
        ::unlink(temporary.c_str());
        return error;
    }
    SyncFolder(path.parent_path());
    return {};
}

}  // namespace tovek
