#include "tests/fuzz/layer_checks.h"

#include <algorithm>
#include <cstring>

namespace tovek::fuzz {
namespace {

std::uint8_t SwappedLift(std::uint8_t code, bool horizontal, bool vertical) {
    const bool across = code == 12 || code == 13 || code == 16 || code == 17;
    const bool upDown = code == 14 || code == 15 || code == 18 || code == 19;
    return (across && horizontal) || (upDown && vertical) ? static_cast<std::uint8_t>(code ^ 1)
                                                          : code;
}

// True when the layer's bytes in [first, last) are all 0.
bool RangeZero(const std::vector<std::uint8_t>& layer, std::size_t first, std::size_t last) {
    return first >= last || AllZero(std::span(layer).subspan(first, last - first));
}

bool LayersZero(const GameStage& stage, std::size_t first, std::size_t last) {
    return RangeZero(stage.tileMap, first, last) && RangeZero(stage.waterMap, first, last) &&
           RangeZero(stage.spawnActor, first, last) && RangeZero(stage.spawnLift, first, last);
}

}  // namespace

bool AllZero(std::span<const std::uint8_t> bytes) {
    // Zero at the start and equal to itself shifted by one: zero throughout.
    return bytes.empty() ||
           (bytes[0] == 0 && std::memcmp(bytes.data(), bytes.data() + 1, bytes.size() - 1) == 0);
}

bool AllEmpty(std::span<const MapCell> cells, std::size_t first) {
    if (first >= cells.size()) return true;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(cells.data() + first);
    return AllZero({bytes, (cells.size() - first) * sizeof(MapCell)});
}

bool AllStorable(std::span<const MapCell> cells) {
    return std::all_of(cells.begin(), cells.end(), [](const MapCell& cell) {
        return IsStorableMainTile(cell.mainTile) && IsStorableActorCode(cell.actorCode) &&
               IsStorableLiftCode(cell.liftCode) && IsStorableWater(cell.water);
    });
}

std::size_t ReachableCells(std::size_t fileSize, std::size_t cells) {
    return std::min(cells, fileSize > 5 ? fileSize - 5 : 0);
}

bool AgreesWithEditorCells(const GameStage& game, std::span<const MapCell> cells,
                           std::size_t reached) {
    if (cells.size() != game.tileMap.size() || reached > cells.size()) return false;
    for (std::size_t i = 0; i < reached; ++i) {
        if (game.tileMap[i] != cells[i].mainTile || game.waterMap[i] != cells[i].water ||
            game.spawnActor[i] != cells[i].actorCode || game.spawnLift[i] != cells[i].liftCode) {
            return false;
        }
    }
    return AllEmpty(cells, reached) && LayersZero(game, reached, cells.size());
}

bool IsMirrorOf(const GameStage& plain, const GameStage& mirrored, bool horizontal, bool vertical,
                std::size_t reached) {
    const std::size_t width = static_cast<std::size_t>(plain.mapWidth);
    const std::size_t height = static_cast<std::size_t>(plain.mapHeight);
    if (mirrored.mapWidth != plain.mapWidth || mirrored.mapHeight != plain.mapHeight ||
        mirrored.tileMap.size() != width * height || reached > width * height) {
        return false;
    }
    const auto flipped = [&](std::size_t column, std::size_t row) {
        return (horizontal ? width - 1 - column : column) +
               (vertical ? height - 1 - row : row) * width;
    };
    for (std::size_t i = 0; i < reached; ++i) {
        const std::size_t to = flipped(i % width, i / width);
        if (mirrored.tileMap[to] != plain.tileMap[i] ||
            mirrored.waterMap[to] != plain.waterMap[i] ||
            mirrored.spawnActor[to] != plain.spawnActor[i] ||
            mirrored.spawnLift[to] != SwappedLift(plain.spawnLift[i], horizontal, vertical)) {
            return false;
        }
    }
    // The cells never reached: the rest of the row reading stopped in, and
    // the rows after it, each a run of the flipped map.
    const std::size_t row = reached / width;
    if (row >= height) return true;
    const std::size_t done = reached % width;
    const std::size_t rowStart = (vertical ? height - 1 - row : row) * width;
    const std::size_t restStart = horizontal ? rowStart : rowStart + done;
    const std::size_t laterRows = (height - 1 - row) * width;
    const std::size_t laterStart = vertical ? 0 : rowStart + width;
    return LayersZero(mirrored, restStart, restStart + width - done) &&
           LayersZero(mirrored, laterStart, laterStart + laterRows);
}

}  // namespace tovek::fuzz
