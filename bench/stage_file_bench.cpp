// Reading and writing the largest stage the editor makes (255 x 255 cells),
// once laid out like a real stage and once as a worst case.
#include <benchmark/benchmark.h>

#include <vector>

#include "common/coded_stream.h"
#include "common/random_source.h"
#include "common/stage_file.h"

namespace tovek {
namespace {

constexpr KeyMaterial kMaterial{91, 37};

EditorStage EmptyStage() {
    EditorStage stage;
    stage.background = 5;
    stage.width = 255;
    stage.height = 255;
    stage.cells.resize(255 * 255);
    return stage;
}

// Floors every 16 rows with blocks above them, coins, a flooded bottom, and
// scattered actors and lifts: how a real stage fills its cells.
EditorStage LaidOutStage() {
    RandomSource random(7);
    EditorStage stage = EmptyStage();
    for (int y = 0; y < 255; ++y) {
        for (int x = 0; x < 255; ++x) {
            MapCell& cell = stage.cells[y * 255 + x];
            if (y % 16 == 15) cell.mainTile = 1;
            if (y % 16 == 14 && random.Below(4) == 0) cell.mainTile = 3;
            if (y % 16 == 10 && random.Below(3) == 0) cell.mainTile = 20;
            if (y > 200) cell.water = kWaterCode;
            if (random.Below(60) == 0)
                cell.actorCode = static_cast<std::uint8_t>(32 + random.Below(32));
            if (random.Below(200) == 0)
                cell.liftCode = static_cast<std::uint8_t>(12 + random.Below(8));
        }
    }
    return stage;
}

// More than half of the cells filled with layers drawn at random: the cell
// groups vary from cell to cell as no real stage does.
EditorStage BusyStage() {
    RandomSource random(2024);
    EditorStage stage = EmptyStage();
    for (MapCell& cell : stage.cells) {
        const int roll = random.Below(10);
        if (roll < 4) cell.mainTile = static_cast<std::uint8_t>(1 + random.Below(11));
        if (roll == 4) cell.mainTile = static_cast<std::uint8_t>(32 + random.Below(32));
        if (roll == 5) cell.actorCode = static_cast<std::uint8_t>(32 + random.Below(32));
        if (roll == 6) cell.liftCode = static_cast<std::uint8_t>(12 + random.Below(8));
        if (roll >= 7) cell.water = kWaterCode;
    }
    return stage;
}

void ReadGame(benchmark::State& state, EditorStage (*make)(), bool mirror) {
    const std::vector<std::uint8_t> bytes = WriteEditorStage(make(), kMaterial);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadGameStage(bytes, mirror, mirror));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void ReadEditor(benchmark::State& state, EditorStage (*make)()) {
    const std::vector<std::uint8_t> bytes = WriteEditorStage(make(), kMaterial);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadEditorStage(bytes));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void WriteEditor(benchmark::State& state, EditorStage (*make)()) {
    const EditorStage stage = make();
    std::int64_t size = 0;
    for (auto _ : state) {
        const std::vector<std::uint8_t> bytes = WriteEditorStage(stage, kMaterial);
        size = static_cast<std::int64_t>(bytes.size());
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * size);
}

BENCHMARK_CAPTURE(ReadGame, laid_out, LaidOutStage, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReadGame, laid_out_mirrored, LaidOutStage, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReadEditor, laid_out, LaidOutStage)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(WriteEditor, laid_out, LaidOutStage)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReadGame, busy, BusyStage, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReadGame, busy_mirrored, BusyStage, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReadEditor, busy, BusyStage)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(WriteEditor, busy, BusyStage)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tovek

BENCHMARK_MAIN();
