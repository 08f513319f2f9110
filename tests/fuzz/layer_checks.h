#pragma once

// Whole-layer checks of the stage targets. They are compiled without the
// fuzzer's instrumentation: they judge the code under test and need not be
// explored, and comparing cell by cell under the comparison hooks cost far
// more than the readers themselves.
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/cell_group.h"
#include "common/stage_file.h"

namespace tovek::fuzz {

// True when every byte is 0.
bool AllZero(std::span<const std::uint8_t> bytes);

// True when the cells from `first` on are all empty.
bool AllEmpty(std::span<const MapCell> cells, std::size_t first);

// True when every layer of every cell holds a value a stage file can store.
bool AllStorable(std::span<const MapCell> cells);

// How many cells of a stage file of `fileSize` bytes declaring `cells` cells
// its bytes can fill: every group takes at most one cell per byte.
std::size_t ReachableCells(std::size_t fileSize, std::size_t cells);

// The game's layers hold what the editor's reader read, cell for cell; from
// cell `reached` on both are empty.
bool AgreesWithEditorCells(const GameStage& game, std::span<const MapCell> cells,
                           std::size_t reached);

// `mirrored` is `plain` flipped across (horizontal) and/or upside down
// (vertical), with the lift directions that flip swapped; only the first
// `reached` cells in reading order may hold anything.
bool IsMirrorOf(const GameStage& plain, const GameStage& mirrored, bool horizontal, bool vertical,
                std::size_t reached);

}  // namespace tovek::fuzz
