#include "common/file_access.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
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

class FileRefusalMessages : public std::error_category {
  public:
    const char* name() const noexcept override { return "file"; }
    std::string message(int) const override { return "not a regular file"; }
};

// A descriptor closed when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int descriptor = -1) : descriptor_(descriptor) {}
    ~Descriptor() {
        if (descriptor_ >= 0) ::close(descriptor_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return descriptor_; }

  private:
    int descriptor_;
};

std::error_code Fault(FileFaults* faults, FileStep step) {
    std::size_t none = 0;
    return faults != nullptr ? faults->Before(step, 0, none) : std::error_code();
}

// Writes all of `bytes` to the descriptor, retrying short writes.
std::error_code WriteAll(int descriptor, std::span<const std::uint8_t> bytes, FileFaults* faults) {
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        std::size_t size = bytes.size() - offset;
        const std::error_code fault =
            faults != nullptr ? faults->Before(FileStep::Write, offset, size) : std::error_code();
        if (size > 0) {
            const ssize_t written = ::write(descriptor, bytes.data() + offset, size);
            if (written < 0) {
                if (errno == EINTR) continue;
                return LastSystemError();
            }
            offset += static_cast<std::size_t>(written);
        }
        if (fault) return fault;
    }
    return {};
}

// Our temporary files are named ".NAME.tmpPID-N".
bool IsTemporaryName(std::string_view name) {
    const std::size_t mark = name.rfind(".tmp");
    if (name.size() < 2 || name[0] != '.' || mark == std::string_view::npos || mark == 0) {
        return false;
    }
    const std::string_view tail = name.substr(mark + 4);
    const std::size_t dash = tail.find('-');
    const auto digits = [](std::string_view text) {
        return !text.empty() &&
               std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return dash != std::string_view::npos && digits(tail.substr(0, dash)) &&
           digits(tail.substr(dash + 1));
}

// A writer holds a lock on its temporary file until the file is renamed, so
// a temporary file whose lock can be taken was left by a writer that died.
void RemoveDeadWritersTemporaries(const fs::path& folder) {
    std::error_code error;
    const fs::path listed = folder.empty() ? fs::path(".") : folder;
    for (fs::directory_iterator it(listed, error), end; !error && it != end; it.increment(error)) {
        const fs::path entry = it->path();
        if (!IsTemporaryName(entry.filename().string())) continue;
        Descriptor file(::open(entry.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat opened;
        struct stat named;
        if (file.Get() < 0 || ::fstat(file.Get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
            ::flock(file.Get(), LOCK_EX | LOCK_NB) != 0) {
            continue;
        }
        // Only the file we locked, not one that took its name meanwhile.
        if (::lstat(entry.c_str(), &named) == 0 && named.st_ino == opened.st_ino &&
            named.st_dev == opened.st_dev) {
            ::unlink(entry.c_str());
        }
    }
}

// Creates a fresh temporary file beside `path`, locked for as long as it is
// being written, and returns its descriptor.
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
        if (descriptor < 0) {
            if (errno == EEXIST) continue;
            break;
        }
        struct stat created;
        // A cleaner that found the file before it was locked removed it: try
        // another name.
        if (::flock(descriptor, LOCK_EX) == 0 && ::fstat(descriptor, &created) == 0 &&
            created.st_nlink > 0) {
            return descriptor;
        }
        ::close(descriptor);
    }
    error = LastSystemError();
    return -1;
}

// Where a write to `path` lands: symbolic links are followed to the file
// they name (which need not exist yet). A target that exists and is not a
// regular file is refused.
std::error_code ResolveWriteTarget(const fs::path& path, fs::path& target) {
    constexpr int kMaxLinks = 40;
    target = path;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat status;
        if (::lstat(target.c_str(), &status) != 0) {
            return errno == ENOENT ? std::error_code() : LastSystemError();
        }
        if (!S_ISLNK(status.st_mode)) {
            return S_ISREG(status.st_mode) ? std::error_code()
                                           : make_error_code(FileRefusal::NotARegularFile);
        }
        std::error_code error;
        const fs::path link = fs::read_symlink(target, error);
        if (error) return error;
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    return std::make_error_code(std::errc::too_many_symbolic_link_levels);
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

const std::error_category& FileRefusalCategory() {
    static const FileRefusalMessages category;
    return category;
}

bool FileExists(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    return !error && fs::exists(status) && !fs::is_directory(status);
}

FileContents ReadRegularFile(const fs::path& path, std::size_t limit, FileFaults* faults) {
    FileContents contents;
    if ((contents.error = Fault(faults, FileStep::Open))) return contents;
    // Non-blocking, so that opening a named pipe does not wait for a writer.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status;
    if (file.Get() < 0 || ::fstat(file.Get(), &status) != 0) {
        contents.error = LastSystemError();
        return contents;
    }
    if (!S_ISREG(status.st_mode)) {
        contents.error = FileRefusal::NotARegularFile;
        return contents;
    }
    const auto expected = static_cast<std::uint64_t>(std::max<off_t>(status.st_size, 0));
    contents.bytes.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(expected, limit)));
    std::uint8_t buffer[65536];
    while (contents.bytes.size() < limit) {
        if ((contents.error = Fault(faults, FileStep::Read))) break;
        const std::size_t wanted = std::min(sizeof buffer, limit - contents.bytes.size());
        const ssize_t count = ::read(file.Get(), buffer, wanted);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) contents.error = LastSystemError();
        if (count <= 0) break;
        contents.bytes.insert(contents.bytes.end(), buffer, buffer + count);
    }
    if (contents.error) contents.bytes.clear();
    return contents;
}

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const fs::path& path, std::size_t limit) {
    FileContents contents = ReadRegularFile(path, limit);
    if (contents.error) return std::nullopt;
    return std::move(contents.bytes);
}

std::error_code ReplaceFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes,
                                      FileFaults* faults) {
    fs::path target;
    if (const std::error_code error = ResolveWriteTarget(path, target)) return error;
    RemoveDeadWritersTemporaries(target.parent_path());

    std::error_code error = Fault(faults, FileStep::Create);
    fs::path temporary;
    Descriptor file(error ? -1 : CreateTemporaryBeside(target, temporary, error));
    if (error) return error;
    struct stat old;
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(file.Get(), old.st_mode & 07777);  // keep the replaced file's permissions
    }
    error = WriteAll(file.Get(), bytes, faults);
    if (!error) error = Fault(faults, FileStep::Sync);
    if (!error && ::fsync(file.Get()) != 0) error = LastSystemError();
    if (!error) error = Fault(faults, FileStep::Rename);
    // Renamed while still open and locked, so that no cleaner takes it for a
    // dead writer's file before it has its final name. Once synced, closing
    // it can lose nothing.
    if (!error && std::rename(temporary.c_str(), target.c_str()) != 0) error = LastSystemError();
    if (error) {
        ::unlink(temporary.c_str());
        return error;
    }
    SyncFolder(target.parent_path());
    return {};
}

FolderLock::FolderLock(const fs::path& folder)
    : descriptor_(
          ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (descriptor_ < 0) return;
    while (::flock(descriptor_, LOCK_EX) != 0 && errno == EINTR) {
    }
}

FolderLock::~FolderLock() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

}  // namespace tovek
