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

namespace {

// What the writer keeps of a cell: each layer's value if the layer can hold it.
tovek::MapCell Storable(tovek::MapCell cell) {
    if (!tovek::IsStorableMainTile(cell.mainTile)) cell.mainTile = 0;
    if (!tovek::IsStorableActorCode(cell.actorCode)) cell.actorCode = 0;
    if (!tovek::IsStorableLiftCode(cell.liftCode)) cell.liftCode = 0;
    if (!tovek::IsStorableWater(cell.water)) cell.water = 0;
    return cell;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const tovek::EditorStage stage = tovek::ReadEditorStage(bytes);
    FUZZ_CHECK(stage.width >= 0 && stage.width <= 255 && stage.height >= 0 && stage.height <= 255);
    FUZZ_CHECK(stage.cells.size() == static_cast<std::size_t>(stage.width) * stage.height);

    const tovek::KeyMaterial material = tovek::CodedReader(bytes).Material();
    const std::vector<std::uint8_t> rewritten = tovek::WriteEditorStage(stage, material);
    const bool editorForm =
        stage.width >= 12 && stage.height >= 8 && size >= 5 && material.multiplier % 2 == 1 &&
        std::equal(rewritten.begin(), rewritten.end(), bytes.begin(), bytes.end());
    FUZZ_CHECK(tovek::FindStageProblems(bytes).empty() == editorForm);

    tovek::EditorStage expected = stage;
    for (tovek::MapCell& cell : expected.cells)
        cell = Storable(cell);
    FUZZ_CHECK(tovek::ReadEditorStage(rewritten) == expected);
    return 0;
}
