#pragma once

#include <SDL_keycode.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tovek {

class SettingsFile;

// The window's own keys, which no binding can take: P and Pause (pause), F1
// (help), F11 (fullscreen).
bool IsWindowKey(SDL_Keycode key);

// Which keyboard keys are the game's seven keys (Left, Right, Up, Down,
// Space, Escape, S). Always the arrows, Space, Escape and the letter S, and
// with Num Lock off the keypad's 4, 8, 6 and 2 as arrows, as the keyboard
// itself labels them; the [Keys] section of Tovek.ini may add more keys to
// each, by SDL's key names ("Up=Up,Z,W").
class KeyBindings {
  public:
    KeyBindings() = default;

    // Today's keys and those of the [Keys] section. An entry that cannot be
    // bound (an unknown game key or key name, a window key, a key already
    // bound to another game key) is left out with one line in `problems`.
    static KeyBindings FromSettings(const SettingsFile& keysSection,
                                    std::vector<std::string>* problems);

    // The virtual-key code of the game key, or nothing for any other key.
    std::optional<int> GameKey(SDL_Keycode key, Uint16 modifiers) const;

  private:
    std::map<SDL_Keycode, int> added_;
};

}  // namespace tovek
