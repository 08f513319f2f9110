#pragma once

#include <SDL_keycode.h>

#include <optional>

namespace tovek {

// The virtual-key code the game knows for an SDL key (arrows, Space, Escape,
// the letter S), or nothing for any other key. With Num Lock off the keypad's
// 4, 8, 6 and 2 are arrows too, as the keyboard itself labels them.
std::optional<int> VirtualKeyCode(SDL_Keycode key, Uint16 modifiers);

}  // namespace tovek
