#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/sheets.h"
#include "common/stage_file.h"
#include "common/text.h"
#include "editor/play/play_services.h"
#include "game/core/game.h"
#include "game/core/record_store.h"
#include "game/sim/sim_options.h"

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

// The name of character 0..2 as the editor shows it: "0 バランス型".
std::string CharacterName(int character);

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
    // Plays back keys found for the stage (a route of the stage check): the
    // random source seeded with `seed`, each key delivered before its tick,
    // and the clock counted in ticks, as tovek-sim runs a keys file, so the
    // run is exactly the one that was found. The player's own keys are
    // not used; Escape, and Space on the end screens, still end it.
    void StartReplay(const PlayStart& start, std::uint64_t seed, std::vector<tovek::KeyEvent> keys);

    // The game's keys (virtual-key codes). Escape, and Space on the miss or
    // the clear screen, end the play-test instead of going to the stage
    // select, continuing or going to the next stage.
    void KeyDown(int keyCode);
    void KeyUp(int keyCode);
    // One timer tick of the game.
    void Tick();

    bool Ended() const { return ended_; }
    bool Replaying() const { return replay_.has_value(); }
    const tovek::Game& State() const { return game_; }
    int TickInterval() const { return game_.tickInterval; }

  private:
    // The clock of a replay: tick t runs t x interval milliseconds after
    // midnight.
    class TickClock : public tovek::GameClock {
      public:
        int SecondsField() override { return static_cast<int>((milliseconds / 1000) % 60); }
        std::uint64_t RandomSeed() override { return seed; }

        std::uint64_t seed = 1;
        std::int64_t milliseconds = 0;
    };
    struct Replay {
        std::vector<tovek::KeyEvent> keys;  // in tick order
        std::size_t next = 0;
        std::int64_t tick = 0;
    };

    void StartGame(const PlayStart& start, tovek::GameClock& clock);

    std::filesystem::path programFolder_;
    tovek::GameClock& clock_;
    const tovek::PictureSheets& sheets_;
    tovek::TextPainter* text_;
    SilentSound sound_;
    SilentMusic music_;
    tovek::NoRecords records_;
    TickClock tickClock_;
    tovek::Game game_;
    std::optional<Replay> replay_;
    bool ended_ = false;
};

}  // namespace quorle
