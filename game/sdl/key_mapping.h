#pragma once

#include <SDL_keycode.h>

#include <optional>

namespace tovek {

// The virtual-key code the game knows for an SDL key (arrows, Space, Escape,
// the letter S), or nothing for any other key.
std::optional<int> VirtualKeyCode(SDL_Keycode key);

}  // namespace tovek
