#pragma once

#include <optional>

namespace quorle {

// The game's key code (virtual-key code) for a Qt key, or none for a key the
// game does not know. The keypad's arrows count as arrows: Qt names them so
// while Num Lock is off.
std::optional<int> GameKeyCode(int qtKey);

}  // namespace quorle
