#pragma once

#include "editor/core/cell_grid.h"

namespace quorle {

// What a stage file holds: the map, its size and the background. Undo and
// redo give back exactly these values.
struct StageDocument {
    CellGrid map;
    int mapWidth = 0;
    int mapHeight = 0;
    int background = 0;

    friend bool operator==(const StageDocument&, const StageDocument&) = default;
};

}  // namespace quorle
