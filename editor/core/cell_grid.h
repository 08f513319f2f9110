#pragma once

#include <vector>

#include "common/stage_file.h"

namespace quorle {

using tovek::MapCell;

// A rectangle of map cells, x varying fastest, with bounds of its own: the
// map and the clip buffer. Its size is what was allocated, which can
// briefly differ from mapWidth/mapHeight while the size dialog closes.
class CellGrid {
  public:
    CellGrid() = default;
    // Every layer of every cell 0. A negative extent counts as zero.
    CellGrid(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // (x, y) must lie inside.
    MapCell& At(int x, int y) { return cells_[Index(x, y)]; }
    const MapCell& At(int x, int y) const { return cells_[Index(x, y)]; }

    const std::vector<MapCell>& Cells() const { return cells_; }

    // A new grid of the given size holding this one's cells where the two
    // overlap, at the same coordinates; new cells are empty.
    CellGrid Resized(int width, int height) const;

    friend bool operator==(const CellGrid&, const CellGrid&) = default;

  private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<MapCell> cells_;
};

}  // namespace quorle
