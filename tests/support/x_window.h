#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tovek::test {

// What a window manager would do to a top-level window, done directly on the
// X server (tests run without a window manager).

// Sends the close request of the window's close button (WM_DELETE_WINDOW).
bool RequestWindowClose(const std::string& display, unsigned long window);

// The window's title as the window manager reads it (_NET_WM_NAME, UTF-8).
std::string WindowTitle(const std::string& display, unsigned long window);

// The window's icon as the window manager reads it (_NET_WM_ICON): width,
// height, then one 0xAARRGGBB value a pixel, row by row; empty without one.
std::vector<unsigned long> WindowIcon(const std::string& display, unsigned long window);

// The smallest size the window asks the window manager to allow (its normal
// hints), or nothing when it asks none.
std::optional<std::pair<int, int>> WindowMinimumSize(const std::string& display,
                                                     unsigned long window);

}  // namespace tovek::test
