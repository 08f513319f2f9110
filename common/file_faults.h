#pragma once

#include <cstddef>
#include <system_error>

namespace tovek {

// The system calls through which a file is read or replaced.
enum class FileStep { Open, Read, Create, Write, Sync, Rename };

// A seam for tests: consulted before each step, it can make the step fail as
// the system would (a full disk, an I/O error, a permission refused). The
// programs pass none and meet only the real system's failures.
class FileFaults {
  public:
    virtual ~FileFaults() = default;
    // The error the step meets, or none. For Write, `offset` is the position
    // of the first byte about to be written and `size` how many follow; a
    // fault may let a part through by lowering `size`, the error then meets
    // the rest. Other steps pass 0 for both.
    virtual std::error_code Before(FileStep step, std::size_t offset, std::size_t& size) = 0;
};

// Why a file was refused although the system would have opened it.
enum class FileRefusal {
    NotARegularFile = 1,  // a folder, a named pipe, a device
};

const std::error_category& FileRefusalCategory();

inline std::error_code make_error_code(FileRefusal refusal) {
    return {static_cast<int>(refusal), FileRefusalCategory()};
}

}  // namespace tovek

template <>
struct std::is_error_code_enum<tovek::FileRefusal> : std::true_type {};
