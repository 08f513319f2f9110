#pragma once

#include "common/surface.h"
#include "common/text.h"

namespace tovek {

// What label 0 says while the game is paused.
inline constexpr const char* kPausedLabel = "ポーズ中 Pキー(パッドはSTART)で再開";

// The paused picture: the frame darkened, with "ポーズ" centred over it.
Surface PausedPicture(const Surface& frame, TextPainter& serif);

}  // namespace tovek
