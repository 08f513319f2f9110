// The solver and the seams it rests on:
//  - SnapshotRestore: one snapshot and one restore of a 100 × 16 stage with 30
//    actors in play (goal: well under 10 µs).
//  - SearchRate: ticks simulated per second inside the search, one thread
//    (goal: 1,000,000 per core).
//  - Solve/S/C: the whole search for shipped stage S and character C with the
//    default budget, one thread (goal: under 10 s each). Run from the build
//    folder, which holds the shipped stages.
// Rates and times are CPU time: the machine is shared.
#include <benchmark/benchmark.h>

#include "common/stage_file.h"
#include "game/solver/solver.h"
#include "game/solver/stage_run.h"

namespace tovek {
namespace {

EditorStage LongStage() {
    constexpr int kWidth = 100;
    constexpr int kHeight = 16;
    EditorStage stage{0, kWidth, kHeight, std::vector<MapCell>(kWidth * kHeight)};
    for (int column = 0; column < kWidth; ++column) {
        stage.cells[column + (kHeight - 1) * kWidth].mainTile = 1;
        if (column % 7 == 3) stage.cells[column + 10 * kWidth].mainTile = 18;
    }
    stage.cells[2 + (kHeight - 2) * kWidth].mainTile = 16;
    for (int i = 0; i < 30; ++i) {
        stage.cells[8 + 3 * i + (kHeight - 2) * kWidth].actorCode =
            static_cast<std::uint8_t>(32 + i % 10);
    }
    return stage;
}

void SnapshotRestore(benchmark::State& state) {
    SolverSetup setup;
    setup.programFolder = ".";
    setup.stageInMemory = GameStageFromEditorStage(LongStage(), false, false);
    std::string error;
    const auto run = StageRun::Start(setup, &error);
    if (!run) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (int tick = 1; tick <= 20; ++tick)
        run->Step(tick, {}, {2, 0});
    GameSnapshot snapshot;
    for (auto _ : state) {
        run->game().TakeSnapshot(snapshot);
        run->game().Restore(snapshot);
        benchmark::DoNotOptimize(run->game().playerX);
    }
    state.counters["actors"] = run->game().actorCount();
}
BENCHMARK(SnapshotRestore)->Unit(benchmark::kMicrosecond);

SolverSetup ShippedStage(int stage, int character) {
    SolverSetup setup;
    setup.programFolder = ".";
    setup.stage = stage;
    setup.character = character;
    return setup;
}

void SearchRate(benchmark::State& state) {
    SolverOptions options;
    options.budget = 2'000'000;
    std::int64_t ticks = 0;
    for (auto _ : state) {
        std::string error;
        const auto result = SolveStage(ShippedStage(3, 0), options, &error);
        if (!result) {
            state.SkipWithError(error.c_str());
            return;
        }
        ticks += result->ticksSimulated;
    }
    state.counters["ticks/s"] =
        benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kIsRate);
}
BENCHMARK(SearchRate)->Unit(benchmark::kMillisecond)->Iterations(3);

void Solve(benchmark::State& state) {
    const SolverSetup setup =
        ShippedStage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        std::string error;
        const auto result = SolveStage(setup, SolverOptions{}, &error);
        if (!result || !result->cleared) {
            state.SkipWithError(result ? "not cleared" : error.c_str());
            return;
        }
        state.counters["tick"] = static_cast<double>(result->tick);
        state.counters["ticksSimulated"] = static_cast<double>(result->ticksSimulated);
    }
}
BENCHMARK(Solve)->ArgsProduct({{1, 2, 3}, {0, 1, 2}})->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace tovek

BENCHMARK_MAIN();
