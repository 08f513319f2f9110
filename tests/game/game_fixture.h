#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/stage_file.h"
#include "game/core/game.h"
#include "game/core/record_store.h"
#include "game/sim/sim_services.h"

namespace tovek::testing {

// An object placed on a test map: an actor code 32..63 or a lift code.
struct Placement {
    int column;
    int row;
    int actorCode = 0;
    int liftCode = 0;
};

// A stage drawn as text, one character per cell:
//   . empty   # block 1   = block 2   ? prize block   F H b L O  power-ups
//   S start   P start in water   G goal   c coin   C big coin   k switch   K switch block
//   s spring  x hazard   d power-down   ~ water (empty main tile)
//   w water under a coin   v down-port 0   ^ up-port 0   V down-port 1   A up-port 1
EditorStage StageFromText(const std::vector<std::string>& rows,
                          const std::vector<Placement>& objects = {}, int background = 0);

// A game with fake services in a temporary program folder.
class GameTest : public ::testing::Test {
  protected:
    GameTest();
    ~GameTest() override;

    // Writes Tovek.ini (section Customize) with the given lines.
    void WriteSettings(const std::string& lines);
    void WriteStage(int number, const EditorStage& stage);
    void WriteMusicFile();

    // Start-up and the first focus, as the window does.
    void StartGame();
    // Writes the stage as stage 1, starts the game and presses Space.
    void Play(const std::vector<std::string>& rows, const std::vector<Placement>& objects = {});

    void Tick(int count = 1);
    void Press(int keyCode);
    void Release(int keyCode);

    std::filesystem::path folder_;
    SimulatedClock clock_{1};
    RecordingSound sound_;
    ModelledMusicDevice music_;
    RecordFile records_;
    Game game_;
    std::int64_t tick_ = 0;
};

}  // namespace tovek::testing
