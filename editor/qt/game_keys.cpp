#include "editor/qt/game_keys.h"

#include <Qt>

#include "game/core/keyboard.h"

namespace quorle {

std::optional<int> GameKeyCode(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Left:
            return tovek::kKeyLeft;
        case Qt::Key_Up:
            return tovek::kKeyUp;
        case Qt::Key_Right:
            return tovek::kKeyRight;
        case Qt::Key_Down:
            return tovek::kKeyDown;
        case Qt::Key_Space:
            return tovek::kKeySpace;
        case Qt::Key_Escape:
            return tovek::kKeyEscape;
        case Qt::Key_S:
            return tovek::kKeyS;
        default:
            return std::nullopt;
    }
}

}  // namespace quorle
