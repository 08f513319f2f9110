// The game's stage reader on any bytes, plain and mirrored: it never reads out
// of bounds, its layers always match its sizes, it agrees with the editor's
// reader, and mirroring is exactly a flip of the plain result.
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

#include "common/stage_file.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using tovek::GameStage;

std::uint8_t SwappedLift(std::uint8_t code, bool horizontal, bool vertical) {
    const bool across = code == 12 || code == 13 || code == 16 || code == 17;
    const bool upDown = code == 14 || code == 15 || code == 18 || code == 19;
    return (across && horizontal) || (upDown && vertical) ? static_cast<std::uint8_t>(code ^ 1)
                                                          : code;
}

void CheckMirror(const GameStage& plain, const GameStage& mirrored, bool horizontal,
                 bool vertical) {
    const int width = plain.mapWidth;
    const int height = plain.mapHeight;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const std::size_t from = static_cast<std::size_t>(column + row * width);
            const int toColumn = horizontal ? width - 1 - column : column;
            const int toRow = vertical ? height - 1 - row : row;
            const std::size_t to = static_cast<std::size_t>(toColumn + toRow * width);
            FUZZ_CHECK(mirrored.tileMap[to] == plain.tileMap[from]);
            FUZZ_CHECK(mirrored.waterMap[to] == plain.waterMap[from]);
            FUZZ_CHECK(mirrored.spawnActor[to] == plain.spawnActor[from]);
            FUZZ_CHECK(mirrored.spawnLift[to] ==
                       SwappedLift(plain.spawnLift[from], horizontal, vertical));
        }
    }
    FUZZ_CHECK(mirrored.start.has_value() == plain.start.has_value());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const std::optional<GameStage> plain = tovek::ReadGameStage(bytes, false, false);
    const tovek::EditorStage editor = tovek::ReadEditorStage(bytes);
    FUZZ_CHECK(plain.has_value() == (editor.width > 0 && editor.height > 0));
    if (!plain) return 0;

    const std::size_t cells = static_cast<std::size_t>(plain->mapWidth) * plain->mapHeight;
    FUZZ_CHECK(plain->tileMap.size() == cells && plain->waterMap.size() == cells);
    FUZZ_CHECK(plain->spawnActor.size() == cells && plain->spawnLift.size() == cells);
    for (std::size_t i = 0; i < cells; ++i) {
        FUZZ_CHECK(plain->tileMap[i] == editor.cells[i].mainTile);
        FUZZ_CHECK(plain->waterMap[i] == editor.cells[i].water);
        FUZZ_CHECK(plain->spawnActor[i] == editor.cells[i].actorCode);
        FUZZ_CHECK(plain->spawnLift[i] == editor.cells[i].liftCode);
    }
    if (plain->start) {
        FUZZ_CHECK(plain->start->column < plain->mapWidth && plain->start->row < plain->mapHeight);
        const std::size_t at =
            static_cast<std::size_t>(plain->start->column + plain->start->row * plain->mapWidth);
        FUZZ_CHECK(plain->tileMap[at] == tovek::kStartTile);
    }

    // Large maps only repeat what small ones show, at many times the cost per
    // input; they get the turned-over read alone, so the fuzzer stays fast.
    const bool small = cells <= 4096;
    for (const auto& [horizontal, vertical] :
         {std::pair{true, true}, {true, false}, {false, true}}) {
        if (!small && !(horizontal && vertical)) break;
        const std::optional<GameStage> mirrored = tovek::ReadGameStage(bytes, horizontal, vertical);
        FUZZ_CHECK(mirrored.has_value());
        CheckMirror(*plain, *mirrored, horizontal, vertical);
    }
    return 0;
}
