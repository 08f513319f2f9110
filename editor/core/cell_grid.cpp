#include "editor/core/cell_grid.h"

#include <algorithm>

namespace quorle {

CellGrid::CellGrid(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      cells_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), MapCell{}) {}

CellGrid CellGrid::Resized(int width, int height) const {
    CellGrid grid(width, height);
    const int keptWidth = std::min(width_, grid.width_);
    const int keptHeight = std::min(height_, grid.height_);
    for (int y = 0; y < keptHeight; ++y) {
        for (int x = 0; x < keptWidth; ++x)
            grid.At(x, y) = At(x, y);
    }
    return grid;
}

}  // namespace quorle
