#include "game/solver/search_state.h"

#include <cstring>

#include "game/core/legacy_math.h"
#include "game/core/player.h"
#include "game/core/tile_codes.h"

namespace tovek {
namespace {

// FNV-1a over the values fed to it.
class KeyHash {
  public:
    void Add(std::uint64_t value) {
        for (int i = 0; i < 8; ++i) {
            hash_ ^= (value >> (8 * i)) & 0xFF;
            hash_ *= 0x100000001B3ULL;
        }
    }
    std::uint64_t Value() const { return hash_; }

  private:
    std::uint64_t hash_ = 0xCBF29CE484222325ULL;
};

int PowerUpBits(const PlayState& play) {
    return (play.powerUpF ? 1 : 0) | (play.powerUpH ? 2 : 0) | (play.powerUpB ? 4 : 0) |
           (play.powerUpL ? 8 : 0) | (play.powerUpK ? 16 : 0) | (play.powerUpO ? 32 : 0);
}

bool IsCoin(std::uint8_t tile) {
    return tile == kTileCoin || tile == kTileBigCoin;
}

template <typename T>
std::size_t VectorBytes(const std::vector<T>& v) {
    return v.capacity() * sizeof(T);
}

bool StandsOnDownPort(const Game& game) {
    const std::optional<int> column = FootingColumn(game);
    if (!column) return false;
    return IsDownPort(game.tileMap[*column + FeetProbeOf(game).row * game.mapWidth]);
}

// What carries the player: 0 nothing (in the air), 1 the ground or water,
// 2 + i lift i. Riding a lift is a place of its own, so that the many jumps
// made around a lift do not make the ride itself look worn.
std::uint64_t Support(const Game& game) {
    for (std::size_t i = 0; i < game.lifts.size(); ++i) {
        if (game.lifts[i].touched) return 2 + i;
    }
    return game.airborne ? 0 : 1;
}

// Objects near the player matter to what the next steps can do (an actor to
// let pass); far ones do not. A lift matters while it is in view: one to
// wait for may be at the far side of the screen.
constexpr int kNearby = 6 * kCellSize;
constexpr int kLiftInViewX = 12 * kCellSize;
constexpr int kLiftInViewY = 8 * kCellSize;
// How finely their positions tell states apart, in pixels.
constexpr int kObjectStep = 16;

}  // namespace

std::size_t NodeState::Bytes() const {
    const PlayState& play = snapshot.play;
    const StageState& stage = snapshot.stage;
    return sizeof(NodeState) + VectorBytes(play.lifts) + VectorBytes(play.actors) +
           VectorBytes(stage.liftsAtStart) + VectorBytes(stage.actorsAtStart) +
           VectorBytes(changedTiles) + snapshot.session.lblMain[0].capacity() +
           snapshot.session.lblMain[1].capacity() + snapshot.session.caption.capacity();
}

StateKeeper::StateKeeper(StageRun& run)
    : run_(run),
      startTiles_(run.game().tileMap),
      startWater_(run.game().waterMap),
      startActorCount_(run.game().actors.size()) {}

void StateKeeper::Load(const NodeState& state) {
    Game& game = run_.game();
    game.Restore(state.snapshot);
    game.tileMap.assign(startTiles_.begin(), startTiles_.end());
    game.waterMap.assign(startWater_.begin(), startWater_.end());
    for (const auto& [cell, tile] : state.changedTiles)
        game.tileMap[cell] = tile;
}

void StateKeeper::Save(NodeState& state) {
    Game& game = run_.game();
    // The layers leave the game for the snapshot's copy and come straight back.
    std::vector<std::uint8_t> tiles = std::move(game.tileMap);
    std::vector<std::uint8_t> water = std::move(game.waterMap);
    game.tileMap.clear();
    game.waterMap.clear();
    game.TakeSnapshot(state.snapshot);
    game.tileMap = std::move(tiles);
    game.waterMap = std::move(water);

    state.changedTiles.clear();
    constexpr std::size_t kBlock = 64;
    const std::size_t size = startTiles_.size();
    for (std::size_t block = 0; block < size; block += kBlock) {
        const std::size_t length = std::min(kBlock, size - block);
        if (std::memcmp(&game.tileMap[block], &startTiles_[block], length) == 0) continue;
        for (std::size_t cell = block; cell < block + length; ++cell) {
            if (game.tileMap[cell] != startTiles_[cell]) {
                state.changedTiles.emplace_back(static_cast<std::uint32_t>(cell),
                                                game.tileMap[cell]);
            }
        }
    }
    // Coins taken or given by prize blocks change the score, never the way.
    KeyHash map;
    for (const auto& [cell, tile] : state.changedTiles) {
        if (IsCoin(tile) || IsCoin(startTiles_[cell])) continue;
        map.Add(cell << 8 | tile);
    }
    state.mapKey = map.Value();
}

StateKeys StateKeeper::Keys(const NodeState& state, const GoalDistances& distances) const {
    const Game& game = run_.game();
    StateKeys keys;
    KeyHash world;
    world.Add(state.mapKey);
    world.Add(static_cast<std::uint64_t>(PowerUpBits(game)));
    // Actors of the stage that are out of the way; those made during play
    // come and go and would make every moment look new.
    for (std::size_t i = 0; i < startActorCount_ && i < game.actors.size(); ++i) {
        world.Add(game.actors[i].state != 0 ? 1 : 0);
    }

    KeyHash place = world;
    place.Add(static_cast<std::uint64_t>(FloorDiv(game.playerX + kCellSize / 2, kCellSize)));
    place.Add(static_cast<std::uint64_t>(FloorDiv(game.playerY + kCellSize / 2, kCellSize)));
    place.Add(Support(game));
    keys.place = place.Value();

    KeyHash exact = world;
    exact.Add(static_cast<std::uint64_t>(FloorDiv(game.playerX, 4)));
    exact.Add(static_cast<std::uint64_t>(FloorDiv(game.playerY, 4)));
    exact.Add(static_cast<std::uint64_t>(game.playerSpeedX));
    exact.Add(static_cast<std::uint64_t>(game.playerSpeedY));
    exact.Add((game.airborne ? 1 : 0) | (game.springJump ? 2 : 0) | (game.inWater ? 4 : 0) |
              (game.jumpStarted ? 8 : 0));
    exact.Add(static_cast<std::uint64_t>(game.hoverTicks));
    exact.Add(static_cast<std::uint64_t>(game.warpTicks));
    exact.Add(static_cast<std::uint64_t>(game.heldVertical));
    for (const Lift& lift : game.lifts) {
        if (std::abs(lift.x - game.playerX) > kLiftInViewX ||
            std::abs(lift.y - game.playerY) > kLiftInViewY)
            continue;
        exact.Add(static_cast<std::uint64_t>(FloorDiv(lift.x, kObjectStep)) << 32 |
                  static_cast<std::uint32_t>(FloorDiv(lift.y, kObjectStep)) << 8 | lift.type);
    }
    for (const Actor& actor : game.actors) {
        if (actor.state != 0 || std::abs(actor.x - game.playerX) > kNearby ||
            std::abs(actor.y - game.playerY) > kNearby)
            continue;
        exact.Add(static_cast<std::uint64_t>(FloorDiv(actor.x, kObjectStep)) << 32 |
                  static_cast<std::uint32_t>(FloorDiv(actor.y, kObjectStep)) << 8 | actor.dir);
    }
    keys.duplicate = exact.Value();
    keys.wayToGoal = distances.WayToGoal(game.playerX, game.playerY, game.powerUpK);
    keys.mayPressDown = game.inWater || StandsOnDownPort(game);
    return keys;
}

}  // namespace tovek
