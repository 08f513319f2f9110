#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/cell_group.h"
#include "common/coded_stream.h"

namespace tovek {

// No reader takes more of a stage file than this: the key material, the
// header, and for each cell of the largest map (255 x 255) the longest group
// (ten bytes, the last an escape, and its number).
inline constexpr std::size_t kMaxStageFileBytes =
    5 + 255 * 255 * static_cast<std::size_t>(kMaxGroupLayerBytes + 1);

// The three header values after the key material, and how the cells follow.
struct StageHeader {
    std::uint8_t background = 0;
    std::uint8_t width = 0;
    std::uint8_t height = 0;
    // Exactly width x height bytes remain: every cell is one byte.
    bool oneBytePerCell = false;
};

// Reads background, width and height and decides the cell mode.
StageHeader ReadStageHeader(CodedReader& reader);

// A stage as the editor holds it.
struct EditorStage {
    int background = 0;
    int width = 0;
    int height = 0;
    std::vector<MapCell> cells;  // cells[y * width + x]

    friend bool operator==(const EditorStage&, const EditorStage&) = default;
};

// The editor's reader: sizes as the file gives them (0..255), every cell read;
// bytes past the end of a short file read as 0. `cellsInFile`, when given,
// gets how many cells (in reading order) the file holds whole: fewer than
// width x height for a file that ends inside its map.
EditorStage ReadEditorStage(std::span<const std::uint8_t> bytes,
                            std::size_t* cellsInFile = nullptr);

// The editor's writer. background, width and height are stored as bytes; a
// cell missing from `cells` is written empty.
std::vector<std::uint8_t> WriteEditorStage(const EditorStage& stage, KeyMaterial material);

// The player's start cell, in the coordinates of the (mirrored) map.
struct StartCell {
    std::int16_t column = 0;
    std::int16_t row = 0;

    friend bool operator==(const StartCell&, const StartCell&) = default;
};

// A stage as the game loads it: three layers plus the spawn codes that the
// world set-up turns into lifts and actors. Layers are indexed
// column + row * mapWidth.
struct GameStage {
    std::int16_t background = 0;
    std::int16_t mapWidth = 0;
    std::int16_t mapHeight = 0;
    std::vector<std::uint8_t> tileMap;
    std::vector<std::uint8_t> waterMap;
    std::vector<std::uint8_t> spawnActor;
    std::vector<std::uint8_t> spawnLift;
    std::optional<StartCell> start;  // the last start cell read, if any

    friend bool operator==(const GameStage&, const GameStage&) = default;
};

// The game's reader. Mirroring flips columns and/or rows and swaps the lift
// directions that flip with them (12/13 and 16/17 across, 14/15 and 18/19 up
// and down). A stage whose width or height is 0 cannot form a map: nothing.
std::optional<GameStage> ReadGameStage(std::span<const std::uint8_t> bytes, bool mirrorHorizontal,
                                       bool mirrorVertical);

// An editor's stage as the game would load it once saved: written by the
// editor's writer and read by the game's reader, in memory.
std::optional<GameStage> GameStageFromEditorStage(const EditorStage& stage, bool mirrorHorizontal,
                                                  bool mirrorVertical);

}  // namespace tovek
