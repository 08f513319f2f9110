#pragma once

#include <span>

namespace tovek {

struct Game;
class SettingsFile;

// Start-up in its order: seed, settings, character, music file, records,
// sounds, music device. The window shows afterwards; nothing is drawn yet.
void Form_Load(Game& game);

void ReadSettings(Game& game, const SettingsFile& settings);
void SetCharacterParameters(Game& game);

// The display surface's first focus shows the stage-select screen, once.
void picMain_GotFocus(Game& game);

void Form_Unload(Game& game);

}  // namespace tovek
