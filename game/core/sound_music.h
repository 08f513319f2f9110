#pragma once

#include <filesystem>
#include <string_view>

namespace tovek {

struct Game;

// Sound numbers: 0 goal, 1 item, 2 miss, 3 stomp.
void PlaySoundEffect(Game& game, int number);

// Music control words: "open", "play", "stop", "prev" (rewind), "close".
// Nothing happens while Tovek.mid is missing; unknown words do nothing.
void MusicCommand(Game& game, std::string_view word);

std::filesystem::path MusicFilePath(const Game& game);

}  // namespace tovek
