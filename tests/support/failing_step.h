#pragma once

#include <cstddef>
#include <system_error>

#include "common/file_faults.h"

namespace tovek::test {

// Makes one step of file access fail with `error`, every time it is taken; a
// write fails once `byte` bytes of the file have gone through.
class FailingStep : public FileFaults {
  public:
    FailingStep(FileStep step, std::errc error, std::size_t byte = 0)
        : step_(step), error_(std::make_error_code(error)), byte_(byte) {}

    std::error_code Before(FileStep step, std::size_t offset, std::size_t& size) override {
        if (step != step_) return {};
        if (step == FileStep::Write) {
            if (offset + size <= byte_) return {};
            size = byte_ > offset ? byte_ - offset : 0;
        }
        ++failures_;
        return error_;
    }

    int Failures() const { return failures_; }

  private:
    FileStep step_;
    std::error_code error_;
    std::size_t byte_;
    int failures_ = 0;
};

}  // namespace tovek::test
