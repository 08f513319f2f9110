#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "game/sdl/client_layout.h"
#include "game/sdl/key_bindings.h"

namespace tovek {

// What Tovek.ini says about the window program beyond the game's settings:
//   [Customize] AutoPause  0 keeps play running when the window loses the
//                          focus; any other value or none pauses it
//   [Customize] Scaling    stretch, fit or integer: how a maximised or
//                          fullscreen window scales the picture
//   [Keys]                 more keys for the game keys (KeyBindings)
struct WindowSettings {
    bool autoPause = true;
    std::optional<Scaling> scaling;
    KeyBindings keys;
};

// Read from Tovek.ini in the program folder. A value that cannot be used
// keeps its default and adds one line to `problems`.
WindowSettings ReadWindowSettings(const std::filesystem::path& programFolder,
                                  std::vector<std::string>* problems);

}  // namespace tovek
