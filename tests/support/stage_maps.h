#pragma once

#include <cstdint>
#include <vector>

#include "common/cell_group.h"
#include "common/random_source.h"
#include "common/stage_file.h"

namespace tovek::test {

// Every value each layer of an editor cell can hold.
inline std::vector<std::uint8_t> HoldableMainTiles() {
    std::vector<std::uint8_t> values;
    for (int v = 0; v < 256; ++v) {
        const bool layerOrEscape = (v >= 12 && v <= 15) || v == 25 || v == 26 || v == 28 || v == 29;
        if (!layerOrEscape) values.push_back(static_cast<std::uint8_t>(v));
    }
    return values;
}

inline std::vector<std::uint8_t> HoldableActorCodes() {
    std::vector<std::uint8_t> values = {0};
    for (int v = 32; v <= 63; ++v)
        values.push_back(static_cast<std::uint8_t>(v));
    return values;
}

inline std::vector<std::uint8_t> HoldableLiftCodes() {
    return {0, 12, 13, 14, 15, 16, 17, 18, 19, 26};
}

inline std::vector<std::uint8_t> HoldableWater() {
    return {0, 25};
}

template <typename T>
const T& Pick(RandomSource& random, const std::vector<T>& values) {
    return values[static_cast<std::size_t>(random.Below(static_cast<int>(values.size())))];
}

// A map the editor could hold, with each layer filled about half the time.
inline EditorStage RandomEditorStage(RandomSource& random, int width, int height) {
    static const std::vector<std::uint8_t> mains = HoldableMainTiles();
    static const std::vector<std::uint8_t> actors = HoldableActorCodes();
    static const std::vector<std::uint8_t> lifts = HoldableLiftCodes();
    EditorStage stage;
    stage.background = random.Below(16);
    stage.width = width;
    stage.height = height;
    stage.cells.resize(static_cast<std::size_t>(width) * height);
    for (MapCell& cell : stage.cells) {
        if (random.Below(2)) cell.mainTile = Pick(random, mains);
        if (random.Below(2)) cell.actorCode = Pick(random, actors);
        if (random.Below(2)) cell.liftCode = Pick(random, lifts);
        if (random.Below(2)) cell.water = kWaterCode;
    }
    return stage;
}

}  // namespace tovek::test
