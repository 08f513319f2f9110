#pragma once

#include <cstdint>
#include <vector>

namespace tovek {

struct Game;
struct GameStage;

// Loads stage n from the stage folder and starts play; a missing or unusable
// file leaves the stage-select screen up with a message.
void LoadStage(Game& game, int number);

// Starts play of a stage already read (from a file, or from an editor's
// document in memory) under the given stage number.
void StartStage(Game& game, int number, const GameStage& stage);

// Turns the spawn layers of a freshly loaded map into the lift and actor
// tables, in reading order, the lift of a cell before its actor.
void BuildWorld(Game& game, const std::vector<std::uint8_t>& spawnLift,
                const std::vector<std::uint8_t>& spawnActor);

// Appends one actor made from an actor code 32..63 at a cell.
void AddActor(Game& game, int column, int row, int code);

}  // namespace tovek
