#pragma once

#include <memory>
#include <string>

#include "tests/support/child_process.h"

namespace tovek::test {

// A private X server without a screen (Xvfb) on a free display, for windows
// in tests and benchmarks where no display exists. There is no window
// manager: windows get focus and sizes only when asked.
class XvfbServer {
  public:
    // The screen's size and depth as Xvfb takes them, "WIDTHxHEIGHTxDEPTH".
    explicit XvfbServer(const std::string& screen = "1280x1024x24");
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // Empty when the server did not start.
    const std::string& Display() const { return display_; }
    // "DISPLAY=:n" for a child's environment.
    std::string DisplayVariable() const { return "DISPLAY=" + display_; }
    // Makes the server the display of the windows this process opens itself.
    void BecomeProcessDisplay() const;

  private:
    std::unique_ptr<ChildProcess> server_;
    std::string display_;
};

}  // namespace tovek::test
