#include "game/solver/goal_distances.h"

#include <algorithm>
#include <cstdlib>
#include <deque>

#include "game/core/game.h"
#include "game/core/legacy_math.h"
#include "game/core/tile_codes.h"
#include "game/core/tiles.h"

namespace tovek {
namespace {

// A cell a player may pass through on the way: switch blocks count, since a
// switch opens them; hazards do not.
bool OnTheWay(const Game& game, std::uint8_t tile) {
    if (tile == kTileHazard) return false;
    return tile == kTileSwitchBlock || IsPassable(game, tile);
}

// Breadth-first over eight neighbours from every seed; `open` decides which
// cells may be entered, `jumps` adds further cells reached from a cell.
template <typename Open, typename Jumps>
std::vector<int> Spread(int width, int height, const std::vector<std::pair<int, int>>& seeds,
                        Open open, Jumps jumps) {
    std::vector<int> distance(static_cast<std::size_t>(width * height), GoalDistances::kNoWay);
    std::deque<int> queue;
    for (const auto& [column, row] : seeds) {
        distance[column + row * width] = 0;
        queue.push_back(column + row * width);
    }
    const auto reach = [&](int cell, int next) {
        if (distance[next] != GoalDistances::kNoWay) return;
        distance[next] = distance[cell] + 1;
        queue.push_back(next);
    };
    while (!queue.empty()) {
        const int cell = queue.front();
        queue.pop_front();
        const int column = cell % width;
        const int row = cell / width;
        for (int dr = -1; dr <= 1; ++dr) {
            for (int dc = -1; dc <= 1; ++dc) {
                const int c = column + dc;
                const int r = row + dr;
                if (c < 0 || c >= width || r < 0 || r >= height || !open(c, r)) continue;
                reach(cell, c + r * width);
            }
        }
        jumps(cell, [&](int next) { reach(cell, next); });
    }
    return distance;
}

}  // namespace

GoalDistances::GoalDistances(const Game& game) : width_(game.mapWidth), height_(game.mapHeight) {
    const auto tileAt = [&](int c, int r) { return game.tileMap[c + r * width_]; };
    // Ports, reversed: for the cell a port lets out at, the cells that enter it.
    std::vector<std::vector<int>> entries(static_cast<std::size_t>(width_ * height_));
    for (int row = 0; row < height_; ++row) {
        for (int column = 0; column < width_; ++column) {
            const std::uint8_t tile = tileAt(column, row);
            if (tile == kTileGoal) goals_.emplace_back(column, row);
            const bool down = IsDownPort(tile);
            if (!down && !IsUpPort(tile)) continue;
            const int entryRow = down ? row - 1 : row + 1;
            const PortExit exit = FindPortExit(game, column, row, down ? 8 : -8);
            const int exitRow = exit.row - Sign(exit.warpTicks);
            if (!InMap(column, entryRow) || !InMap(exit.column, exitRow)) continue;
            if (exit.column == column && exitRow == entryRow) continue;
            entries[Index(exit.column, exitRow)].push_back(Index(column, entryRow));
        }
    }
    way_ = Spread(
        width_, height_, goals_, [&](int c, int r) { return OnTheWay(game, tileAt(c, r)); },
        [&](int cell, auto reach) {
            for (const int entry : entries[cell])
                reach(entry);
        });
    straight_ = Spread(
        width_, height_, goals_, [](int, int) { return true; }, [](int, auto) {});
}

int GoalDistances::WayToGoal(int x, int y) const {
    const int column = std::clamp(FloorDiv(x + kCellSize / 2, kCellSize), 0, width_ - 1);
    const int row = std::clamp(FloorDiv(y + kCellSize / 2, kCellSize), 0, height_ - 1);
    return way_[Index(column, row)];
}

std::optional<int> GoalDistances::CellsToGoal(int x, int y) const {
    if (goals_.empty()) return std::nullopt;
    const int column = FloorDiv(x + kCellSize / 2, kCellSize);
    const int row = FloorDiv(y + kCellSize / 2, kCellSize);
    if (InMap(column, row)) return straight_[Index(column, row)];
    int least = kNoWay;
    for (const auto& [c, r] : goals_) {
        least = std::min(least, std::max(std::abs(column - c), std::abs(row - r)));
    }
    return least;
}

}  // namespace tovek
