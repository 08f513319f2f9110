#pragma once

namespace tovek {

struct Game;

// The stage-select screen: title, "← n →" and the stage's record.
void DrawStageSelect(Game& game);

}  // namespace tovek
