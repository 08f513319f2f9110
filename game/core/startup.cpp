#include "game/core/startup.h"

#include "common/file_access.h"
#include "common/settings_file.h"
#include "common/stage_naming.h"
#include "game/core/built_in_sounds.h"
#include "game/core/game.h"
#include "game/core/high_scores.h"
#include "game/core/keyboard.h"
#include "game/core/sound_effects.h"
#include "game/core/sound_music.h"
#include "game/core/stage_select.h"

namespace tovek {

void ReadSettings(Game& game, const SettingsFile& settings) {
    game.gameTitle = settings.ReadSettingString("Title");
    game.caption = game.gameTitle;
    game.stageFolder = StageFolderPath(game.programFolder, settings.ReadSettingString("Folder"));
    game.character = settings.ReadSettingInt("Chara", 2);
    game.noContinue = settings.ReadSettingInt("Continue", 1) != 0;
    game.tickInterval = 80 - 20 * settings.ReadSettingInt("TSpeed", 2);
    if (settings.ReadSettingInt("DSound", 1) == 1) ToggleSound(game);
    game.mirrorHorizontal = settings.ReadSettingInt("HMirror", 1) == 1;
    game.mirrorVertical = settings.ReadSettingInt("VMirror", 1) == 1;
}

void SetCharacterParameters(Game& game) {
    game.constants = CharacterConstantsFor(game.character);
}

void Form_Load(Game& game) {
    game.random.Seed(game.services.clock->RandomSeed());
    game.soundOn = true;
    ReadSettings(game, SettingsFile::LoadFromProgramFolder(game.programFolder));
    SetCharacterParameters(game);
    game.musicFilePresent = FileExists(MusicFilePath(game));
    LoadHighScores(game);
    game.soundBuffers = LoadSoundEffects(game.character, EmbeddedSoundFiles());
    MusicCommand(game, "open");
}

void picMain_GotFocus(Game& game) {
    if (game.stageSelectShown) return;
    game.stageSelectShown = true;
    game.stageNumber = 1;
    DrawStageSelect(game);
}

void Form_Unload(Game& game) {
    MusicCommand(game, "close");
}

}  // namespace tovek
