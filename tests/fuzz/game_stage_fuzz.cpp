// The game's stage reader on any bytes, plain and mirrored: it never reads out
// of bounds, its layers always match its sizes, it agrees with the editor's
// reader, and mirroring is exactly a flip of the plain result.
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

#include "common/stage_file.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/layer_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tovek::GameStage;
    namespace fuzz = tovek::fuzz;
    const std::span<const std::uint8_t> bytes(data, size);
    const std::optional<GameStage> plain = tovek::ReadGameStage(bytes, false, false);
    const tovek::EditorStage editor = tovek::ReadEditorStage(bytes);
    FUZZ_CHECK(plain.has_value() == (editor.width > 0 && editor.height > 0));
    if (!plain) return 0;

    const std::size_t cells = static_cast<std::size_t>(plain->mapWidth) * plain->mapHeight;
    FUZZ_CHECK(plain->tileMap.size() == cells && plain->waterMap.size() == cells);
    FUZZ_CHECK(plain->spawnActor.size() == cells && plain->spawnLift.size() == cells);
    if (plain->start) {
        FUZZ_CHECK(plain->start->column < plain->mapWidth && plain->start->row < plain->mapHeight);
        const std::size_t at =
            static_cast<std::size_t>(plain->start->column + plain->start->row * plain->mapWidth);
        FUZZ_CHECK(plain->tileMap[at] == tovek::kStartTile);
    }

    // A short file declaring a large map fills only its first cells; the
    // rest of every layer must be empty, checked in one comparison per run.
    const std::size_t reached = fuzz::ReachableCells(size, cells);
    FUZZ_CHECK(fuzz::AgreesWithEditorCells(*plain, editor.cells, reached));
    // Every mirrored read of a large map allocates and clears its layers
    // afresh, which costs far more than reading a short file: a large map
    // gets the turned-over read alone.
    const bool small = cells <= 4096;
    for (const auto& [horizontal, vertical] :
         {std::pair{true, true}, {true, false}, {false, true}}) {
        if (!small && !(horizontal && vertical)) break;
        const std::optional<GameStage> mirrored = tovek::ReadGameStage(bytes, horizontal, vertical);
        FUZZ_CHECK(mirrored.has_value());
        FUZZ_CHECK(fuzz::IsMirrorOf(*plain, *mirrored, horizontal, vertical, reached));
        FUZZ_CHECK(mirrored->start.has_value() == plain->start.has_value());
    }
    return 0;
}
