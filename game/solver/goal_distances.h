#pragma once

#include <optional>
#include <utility>
#include <vector>

namespace tovek {

struct Game;

// How far the cells of a loaded stage lie from its goal cells: along the ways
// a player can go (passable cells, eight neighbours, ports to the cell their
// partner lets out at), and in Chebyshev cells as the crow flies. A player
// position counts as the cell holding the centre of the player's box.
class GoalDistances {
  public:
    static constexpr int kNoWay = 1 << 20;

    explicit GoalDistances(const Game& game);

    bool HasGoal() const { return !goals_.empty(); }
    // Cells to walk to a goal; kNoWay when no way leads there.
    int WayToGoal(int x, int y) const;
    // Least Chebyshev distance in cells to a goal cell; nothing without a goal.
    std::optional<int> CellsToGoal(int x, int y) const;

  private:
    int Index(int column, int row) const { return column + row * width_; }
    bool InMap(int column, int row) const {
        return column >= 0 && column < width_ && row >= 0 && row < height_;
    }

    int width_;
    int height_;
    std::vector<std::pair<int, int>> goals_;
    std::vector<int> way_;
    std::vector<int> straight_;
};

}  // namespace tovek
