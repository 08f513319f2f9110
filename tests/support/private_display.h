#pragma once

#include <string>

#include <sys/types.h>

namespace tovek::test {

// An Xvfb server of our own, on the first free display number, for tests
// and benchmarks of real windows on machines without a display. It has a
// 1280 x 1024 screen of 24-bit colour and a black root window, and it
// becomes the process's DISPLAY. The server ends with this object.
class PrivateDisplay {
  public:
    PrivateDisplay();
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    bool Started() const { return !name_.empty(); }
    // ":N", or empty when Xvfb could not be started.
    const std::string& Name() const { return name_; }

  private:
    pid_t server_ = -1;
    std::string name_;
};

}  // namespace tovek::test
