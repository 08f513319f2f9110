#pragma once

#include <Qt>

namespace quorle {

// Qt's mouse buttons as the editor's events number them: 1 left, 2 right,
// 4 middle; 0 for a button the editor does not know.
int ButtonCode(Qt::MouseButton button);

// The held buttons combined (left and right together give 3).
int ButtonsCode(Qt::MouseButtons buttons);

}  // namespace quorle
