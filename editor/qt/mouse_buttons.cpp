#include "editor/qt/mouse_buttons.h"

#include "editor/core/painting.h"

namespace quorle {

int ButtonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return kLeftButton;
        case Qt::RightButton:
            return kRightButton;
        case Qt::MiddleButton:
            return kMiddleButton;
        default:
            return 0;
    }
}

int ButtonsCode(Qt::MouseButtons buttons) {
    int code = 0;
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (buttons.testFlag(button)) code |= ButtonCode(button);
    }
    return code;
}

}  // namespace quorle
