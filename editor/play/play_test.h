#pragma once

#include <filesystem>
#include <optional>
#include <utility>

#include "common/sheets.h"
#include "common/stage_file.h"
#include "common/text.h"
#include "editor/play/play_services.h"
#include "game/core/game.h"
#include "game/core/record_store.h"

namespace quorle {

// What a play-test plays: the document as it stands, from its start marker
// or from a cell of the map.
struct PlayStart {
    tovek::EditorStage stage;
    int stageNumber = 1;
    // A map cell of the editor to start from instead of the start marker.
    std::optional<std::pair<int, int>> startCell;
    // The character to play instead of the "Chara" setting.
    std::optional<int> character;
};

// The game played inside the editor: the game's own rules, frames and keys
// on the editor's document in memory. Nothing is saved, no record is
// written, no other program is started, nothing is heard.
class PlayTest {
  public:
    // `clock` gives the time of day and the random seed, as the game's window
    // does; `text` prints the game's screens. Without `text` nothing is drawn
    // (the objects in view still wake as when drawing).
    PlayTest(std::filesystem::path programFolder, tovek::GameClock& clock,
             const tovek::PictureSheets& sheets, tovek::TextPainter* text);

    // Starts the game as Tovek starts in the program folder (its Tovek.ini),
    // then play of the stage at once: there is no stage select. The first
    // frame is drawn.
    void Start(const PlayStart& start);

    // The game's keys (virtual-key codes). Escape, and Space on the miss or
    // the clear screen, end the play-test instead of going to the stage
    // select, continuing or going to the next stage.
    void KeyDown(int keyCode);
    void KeyUp(int keyCode);
    // One timer tick of the game.
    void Tick();

    bool Ended() const { return ended_; }
    const tovek::Game& State() const { return game_; }
    int TickInterval() const { return game_.tickInterval; }

  private:
    std::filesystem::path programFolder_;
    tovek::GameClock& clock_;
    const tovek::PictureSheets& sheets_;
    tovek::TextPainter* text_;
    SilentSound sound_;
    SilentMusic music_;
    tovek::NoRecords records_;
    tovek::Game game_;
    bool ended_ = false;
};

}  // namespace quorle
