#pragma once

#include "common/surface.h"
#include "common/text.h"

namespace tovek {

// What label 0 says while the help picture is up.
inline constexpr const char* kHelpLabel = "何かキーを押すとステージ選択に戻ります";

// The help picture of the stage-select screen (F1), as large as the display
// surface: the keys and pad buttons, what each item letter does, the
// power-down, the ports and the tally.
Surface HelpPicture(TextPainter& sans);

}  // namespace tovek
