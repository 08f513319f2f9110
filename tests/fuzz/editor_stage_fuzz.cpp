// The editor's stage reader, writer and the stage check on any bytes: the
// check passes exactly the files the editor would write again unchanged, and
// writing what was read keeps every value its layer can hold.
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "common/cell_group.h"
#include "common/coded_stream.h"
#include "common/stage_check.h"
#include "common/stage_file.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/layer_checks.h"

namespace {

// What the writer keeps of a cell: each layer's value if the layer can hold it.
tovek::MapCell Storable(tovek::MapCell cell) {
    if (!tovek::IsStorableMainTile(cell.mainTile)) cell.mainTile = 0;
    if (!tovek::IsStorableActorCode(cell.actorCode)) cell.actorCode = 0;
    if (!tovek::IsStorableLiftCode(cell.liftCode)) cell.liftCode = 0;
    if (!tovek::IsStorableWater(cell.water)) cell.water = 0;
    return cell;
}

// The first rows of `stage`, enough to hold its first `count` cells. Only
// those rows are copied: a short file may declare a map of 65,025 cells.
tovek::EditorStage FirstRows(const tovek::EditorStage& stage, std::size_t count) {
    tovek::EditorStage rows;
    rows.background = stage.background;
    rows.width = stage.width;
    const std::size_t width = static_cast<std::size_t>(stage.width);
    rows.height = static_cast<int>(std::max<std::size_t>(1, (count + width - 1) / width));
    const std::size_t kept =
        std::min(stage.cells.size(), static_cast<std::size_t>(rows.height) * width);
    rows.cells.assign(stage.cells.begin(), stage.cells.begin() + static_cast<std::ptrdiff_t>(kept));
    rows.cells.resize(static_cast<std::size_t>(rows.height) * width);
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace fuzz = tovek::fuzz;
    const std::span<const std::uint8_t> bytes(data, size);
    const tovek::EditorStage stage = tovek::ReadEditorStage(bytes);
    FUZZ_CHECK(stage.width >= 0 && stage.width <= 255 && stage.height >= 0 && stage.height <= 255);
    const std::size_t cells = static_cast<std::size_t>(stage.width) * stage.height;
    FUZZ_CHECK(stage.cells.size() == cells);

    // Every cell the editor writes takes a byte at least, so a file shorter
    // than its map cannot be in the editor's form; only a longer one is
    // written again to compare.
    const tovek::KeyMaterial material = tovek::CodedReader(bytes).Material();
    bool editorForm = false;
    if (stage.width >= 12 && stage.height >= 8 && size >= 5 + cells &&
        material.multiplier % 2 == 1) {
        const std::vector<std::uint8_t> rewritten = tovek::WriteEditorStage(stage, material);
        editorForm = std::equal(rewritten.begin(), rewritten.end(), bytes.begin(), bytes.end());
    }
    FUZZ_CHECK(tovek::FindStageProblems(bytes).empty() == editorForm);

    // Past the cells its bytes can reach, the map is empty; the round trip
    // needs only the rows that hold the rest.
    const std::size_t reached = fuzz::ReachableCells(size, cells);
    FUZZ_CHECK(fuzz::AllEmpty(stage.cells, reached));
    if (stage.width == 0) return 0;
    tovek::EditorStage expected = FirstRows(stage, reached);
    const std::vector<std::uint8_t> rewritten = tovek::WriteEditorStage(expected, material);
    for (tovek::MapCell& cell : expected.cells)
        cell = Storable(cell);
    FUZZ_CHECK(tovek::ReadEditorStage(rewritten) == expected);
    return 0;
}
