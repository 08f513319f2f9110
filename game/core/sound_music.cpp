#include "game/core/sound_music.h"

#include "common/file_access.h"
#include "game/core/game.h"

namespace tovek {

void PlaySoundEffect(Game& game, int number) {
    if (!game.soundOn || game.soundStartedThisTick) return;
    game.services.sound->Play(number, game.soundBuffers[number]);
    game.soundStartedThisTick = true;
}

std::filesystem::path MusicFilePath(const Game& game) {
    return ResolveIgnoringCase(game.programFolder, "Tovek.mid");
}

void MusicCommand(Game& game, std::string_view word) {
    if (!game.musicFilePresent) return;
    MusicDevice& music = *game.services.music;
    if (word == "open") {
        music.Open(MusicFilePath(game));
    } else if (word == "play") {
        music.Play();
    } else if (word == "stop") {
        music.Stop();
    } else if (word == "prev") {
        music.Rewind();
    } else if (word == "close") {
        music.Close();
    }
}

}  // namespace tovek
