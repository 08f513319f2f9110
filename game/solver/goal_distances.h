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
//
// The ways know gravity roughly: a step up into a cell out of a jump's reach
// (no footing, lift, spring or water below it) costs as much as a long walk,
// so a goal high above the start is sought along the way that climbs to it.
// Without K the switch blocks bar the way, and a switch counts as a way to
// the goal at the distance the goal lies from it with K.
class GoalDistances {
  public:
    static constexpr int kNoWay = 1 << 20;

    explicit GoalDistances(const Game& game);

    bool HasGoal() const { return !goals_.empty(); }
    // Cost of the way to a goal, for a player holding K or not; kNoWay when
    // no way leads there.
    int WayToGoal(int x, int y, bool holdsK) const;
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
    std::vector<int> wayWithK_;
    std::vector<int> wayWithoutK_;
    std::vector<int> straight_;
};

}  // namespace tovek
