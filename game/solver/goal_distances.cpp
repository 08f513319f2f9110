#include "game/solver/goal_distances.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <functional>
#include <queue>

#include "game/core/game.h"
#include "game/core/legacy_math.h"
#include "game/core/tile_codes.h"
#include "game/core/tiles.h"
#include "game/core/world_objects.h"

namespace tovek {
namespace {

// A step up into a cell that no jump reaches costs this many cells of walking.
constexpr int kAirClimbCost = 16;
// How far a jump carries from footing: rows up (a power-up H and character 1
// reach a little over two) and columns aside.
constexpr int kJumpRows = 3;
constexpr int kJumpColumns = 2;
// Rows a spring throws the player above itself.
constexpr int kSpringRows = 8;

// The cells a player may be in, and where a jump can take them.
class WayMap {
  public:
    WayMap(const Game& game, bool holdsK)
        : game_(game),
          holdsK_(holdsK),
          width_(game.mapWidth),
          height_(game.mapHeight),
          climbable_(static_cast<std::size_t>(width_ * height_), false) {
        std::vector<bool> footing(climbable_.size(), false);
        for (int row = 0; row < height_; ++row) {
            for (int column = 0; column < width_; ++column) {
                if (!Open(column, row)) continue;
                const bool onGround = row + 1 < height_ && !Passable(column, row + 1);
                const bool inWater = game.WaterAt(column, row) == kWaterCode;
                footing[Index(column, row)] = onGround || inWater;
            }
        }
        for (const Lift& lift : game.lifts)
            MarkLiftWay(lift, footing);
        for (int row = 0; row < height_; ++row) {
            for (int column = 0; column < width_; ++column) {
                if (Open(column, row))
                    climbable_[Index(column, row)] = NearFooting(column, row, footing);
                if (Tile(column, row) == kTileSpring) MarkSpring(column, row);
            }
        }
    }

    // A cell the way may pass: switch blocks without K and hazards bar it.
    bool Open(int column, int row) const {
        return Passable(column, row) && Tile(column, row) != kTileHazard;
    }
    bool Climbable(int cell) const { return climbable_[static_cast<std::size_t>(cell)]; }

  private:
    int Index(int column, int row) const { return column + row * width_; }
    std::uint8_t Tile(int column, int row) const {
        return game_.tileMap[static_cast<std::size_t>(Index(column, row))];
    }
    bool InMap(int column, int row) const {
        return column >= 0 && column < width_ && row >= 0 && row < height_;
    }
    bool Passable(int column, int row) const {
        const std::uint8_t tile = Tile(column, row);
        return tile == kTileSwitchBlock ? holdsK_ : IsPassable(game_, tile);
    }

    bool NearFooting(int column, int row, const std::vector<bool>& footing) const {
        for (int up = 0; up <= kJumpRows; ++up) {
            for (int aside = -kJumpColumns; aside <= kJumpColumns; ++aside) {
                if (InMap(column + aside, row + up) && footing[Index(column + aside, row + up)])
                    return true;
            }
        }
        return false;
    }

    // Every cell a lift passes on its way, and the cells above them, are
    // footing: the player rides it there.
    void MarkLiftWay(const Lift& lift, std::vector<bool>& footing) const {
        const int column = FloorDiv(lift.x, kCellSize);
        const int row = FloorDiv(lift.y, kCellSize);
        const bool vertical = lift.type == kLiftUp || lift.type == kLiftDown;
        const int dc = vertical ? 0 : 1;
        const int dr = vertical ? 1 : 0;
        const auto mark = [&](int c, int r) {
            for (int above = 0; above <= 1; ++above) {
                if (InMap(c, r - above) && Open(c, r - above)) footing[Index(c, r - above)] = true;
            }
        };
        mark(column, row);
        if (lift.type == kDropLift) return;
        for (const int direction : {-1, 1}) {
            int c = column + direction * dc;
            int r = row + direction * dr;
            while (InMap(c, r) && Passable(c, r)) {
                mark(c, r);
                c += direction * dc;
                r += direction * dr;
            }
        }
    }

    void MarkSpring(int column, int row) {
        for (int up = 1; up <= kSpringRows; ++up) {
            for (int aside = -1; aside <= 1; ++aside) {
                if (InMap(column + aside, row - up) && Open(column + aside, row - up))
                    climbable_[Index(column + aside, row - up)] = true;
            }
        }
    }

    const Game& game_;
    bool holdsK_;
    int width_;
    int height_;
    std::vector<bool> climbable_;
};

// Least costs to the seeds over eight neighbours through open cells and
// along `entries` (a cell's list of cells that lead into it at cost one).
// A step up into a cell that is not climbable costs kAirClimbCost.
std::vector<int> CostsToSeeds(int width, int height, const WayMap& map,
                              const std::vector<std::pair<int, int>>& seeds,
                              const std::vector<std::vector<int>>& entries) {
    std::vector<int> cost(static_cast<std::size_t>(width * height), GoalDistances::kNoWay);
    using Item = std::pair<int, int>;  // cost, cell
    std::priority_queue<Item, std::vector<Item>, std::greater<>> queue;
    for (const auto& [cell, seedCost] : seeds) {
        if (seedCost < cost[cell]) {
            cost[cell] = seedCost;
            queue.emplace(seedCost, cell);
        }
    }
    const auto relax = [&](int next, int total) {
        if (total >= cost[next]) return;
        cost[next] = total;
        queue.emplace(total, next);
    };
    while (!queue.empty()) {
        const auto [reached, cell] = queue.top();
        queue.pop();
        if (reached != cost[cell]) continue;
        const int column = cell % width;
        const int row = cell / width;
        // The player steps from `next` into `cell`: upwards when `cell` is higher.
        for (int dr = -1; dr <= 1; ++dr) {
            for (int dc = -1; dc <= 1; ++dc) {
                const int c = column + dc;
                const int r = row + dr;
                if (c < 0 || c >= width || r < 0 || r >= height || !map.Open(c, r)) continue;
                const bool climbs = dr > 0 && !map.Climbable(cell);
                relax(c + r * width, reached + (climbs ? kAirClimbCost : 1));
            }
        }
        for (const int entry : entries[cell])
            relax(entry, reached + 1);
    }
    return cost;
}

}  // namespace

GoalDistances::GoalDistances(const Game& game) : width_(game.mapWidth), height_(game.mapHeight) {
    const auto tileAt = [&](int c, int r) { return game.tileMap[c + r * width_]; };
    // Ports, reversed: for the cell a port lets out at, the cells that enter it.
    std::vector<std::vector<int>> entries(static_cast<std::size_t>(width_ * height_));
    std::vector<int> switches;
    for (int row = 0; row < height_; ++row) {
        for (int column = 0; column < width_; ++column) {
            const std::uint8_t tile = tileAt(column, row);
            if (tile == kTileGoal) goals_.emplace_back(column, row);
            if (tile == kTileSwitch) switches.push_back(Index(column, row));
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
    std::vector<std::pair<int, int>> seeds;
    for (const auto& [column, row] : goals_)
        seeds.emplace_back(Index(column, row), 0);
    wayWithK_ = CostsToSeeds(width_, height_, WayMap(game, true), seeds, entries);
    // Without K, a switch leads on at the cost of the way from it with K.
    for (const int cell : switches) {
        if (wayWithK_[cell] != kNoWay) seeds.emplace_back(cell, wayWithK_[cell]);
    }
    wayWithoutK_ = CostsToSeeds(width_, height_, WayMap(game, false), seeds, entries);

    // As the crow flies: every cell open, every step one.
    straight_.assign(static_cast<std::size_t>(width_ * height_), kNoWay);
    std::deque<int> queue;
    for (const auto& [column, row] : goals_) {
        straight_[Index(column, row)] = 0;
        queue.push_back(Index(column, row));
    }
    while (!queue.empty()) {
        const int cell = queue.front();
        queue.pop_front();
        for (int dr = -1; dr <= 1; ++dr) {
            for (int dc = -1; dc <= 1; ++dc) {
                const int c = cell % width_ + dc;
                const int r = cell / width_ + dr;
                if (!InMap(c, r) || straight_[Index(c, r)] != kNoWay) continue;
                straight_[Index(c, r)] = straight_[cell] + 1;
                queue.push_back(Index(c, r));
            }
        }
    }
}

int GoalDistances::WayToGoal(int x, int y, bool holdsK) const {
    const int column = std::clamp(FloorDiv(x + kCellSize / 2, kCellSize), 0, width_ - 1);
    const int row = std::clamp(FloorDiv(y + kCellSize / 2, kCellSize), 0, height_ - 1);
    return (holdsK ? wayWithK_ : wayWithoutK_)[Index(column, row)];
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
