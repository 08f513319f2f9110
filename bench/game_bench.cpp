// The game's hot paths on busy stages:
//  - DrawFrame:            one frame of a 255 × 255 stage whose view is full of
//                          masked tiles, with 100 actors and 30 lifts around it.
//  - PlayingTickDrawn:     one whole playing tick of that stage, frame included.
//  - PlayingTickHeadless:  one playing tick without pixels, with 200 active actors
//                          and 50 active lifts moving.
//  - SimHeadless/SimDrawn: tovek-sim as a whole on that stage with its lifts
//                          but no actors, 10,000 ticks per run, state printed
//                          every 1,000 ticks (to nowhere); frames drawn but not
//                          saved in the second.
#include <benchmark/benchmark.h>

#include <fstream>
#include <ostream>
#include <streambuf>

#include "common/coded_stream.h"
#include "common/random_source.h"
#include "common/sheets.h"
#include "common/stage_file.h"
#include "common/stage_naming.h"
#include "common/text.h"
#include "game/core/frame_renderer.h"
#include "game/core/game.h"
#include "game/core/main_tick.h"
#include "game/core/record_store.h"
#include "game/core/stage_loading.h"
#include "game/sim/sim_services.h"
#include "game/sim/simulation.h"

namespace tovek {
namespace {

constexpr int kSize = 255;

// A 255 × 255 map: floors every fourth row, coins everywhere else, and the
// actors and lifts packed around the start (about a third of 100 actors fall
// in the view).
EditorStage BusyStage(int actorCount, int liftCount) {
    EditorStage stage{3, kSize, kSize, std::vector<MapCell>(kSize * kSize)};
    for (int row = 0; row < kSize; ++row) {
        for (int column = 0; column < kSize; ++column) {
            MapCell& cell = stage.cells[column + row * kSize];
            cell.mainTile = static_cast<std::uint8_t>(row % 4 == 3 ? 1 : 18 + (column + row) % 2);
        }
    }
    stage.cells[120 + 122 * kSize].mainTile = 16;  // the start, on the floor of row 123
    for (int i = 0; i < actorCount; ++i) {
        const int column = 100 + i % 40;
        const int row = 116 + i / 40 * 3;
        stage.cells[column + row * kSize].actorCode = static_cast<std::uint8_t>(32 + i % 9);
    }
    for (int i = 0; i < liftCount; ++i) {
        const int column = 100 + i % 12;
        const int row = 117 + i / 12;
        stage.cells[column + row * kSize].liftCode = static_cast<std::uint8_t>(12 + i % 4);
    }
    return stage;
}

struct BusyGame {
    BusyGame(int actorCount, int liftCount, bool draw) {
        folder = std::filesystem::temp_directory_path() / "tovek-game-bench";
        std::filesystem::create_directories(folder / "data");
        RandomSource random(1);
        const auto bytes =
            WriteEditorStage(BusyStage(actorCount, liftCount), DrawKeyMaterial(random));
        std::ofstream(StageFilePath(folder / "data", 1), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        game.programFolder = folder;
        game.stageFolder = folder / "data";
        game.services = {&clock, &sound, &music, nullptr, &records};
        game.constants = CharacterConstantsFor(0);
        if (draw) {
            text = TextPainter::Create(FontFace::Serif, nullptr);
            game.drawPixels = text != nullptr;
            game.sheets = LoadPictureSheets();
            game.text = text.get();
        }
        LoadStage(game, 1);
        for (Actor& actor : game.actors)
            actor.active = true;
        for (Lift& lift : game.lifts)
            lift.active = true;
    }
    ~BusyGame() { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
    SimulatedClock clock{1};
    RecordingSound sound;
    ModelledMusicDevice music;
    RecordFile records;
    std::unique_ptr<TextPainter> text;
    Game game;
};

void DrawFrame(benchmark::State& state) {
    BusyGame busy(100, 30, true);
    for (auto _ : state) {
        tovek::DrawFrame(busy.game);
        benchmark::DoNotOptimize(busy.game.picMain.Pixel(0, 0));
    }
}
BENCHMARK(DrawFrame)->Unit(benchmark::kMicrosecond);

void PlayingTickDrawn(benchmark::State& state) {
    BusyGame busy(100, 30, true);
    for (auto _ : state) {
        busy.game.graceTicks = 32000;  // the actors may not end the run
        tmrMain_Timer(busy.game);
    }
    if (busy.game.gameOver || busy.game.stageCleared) state.SkipWithError("play ended");
}
BENCHMARK(PlayingTickDrawn)->Unit(benchmark::kMicrosecond);

void PlayingTickHeadless(benchmark::State& state) {
    BusyGame busy(200, 50, false);
    for (auto _ : state) {
        busy.game.graceTicks = 32000;  // the actors may not end the run
        tmrMain_Timer(busy.game);
    }
    if (busy.game.gameOver || busy.game.stageCleared) state.SkipWithError("play ended");
    state.counters["actors"] = busy.game.actorCount();
    state.counters["lifts"] = busy.game.liftCount();
}
BENCHMARK(PlayingTickHeadless)->Unit(benchmark::kMicrosecond);

class NullBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
};

void Sim(benchmark::State& state, bool draw) {
    BusyGame busy(0, 30, false);  // no actors: the player lives through the whole run
    NullBuffer nothing;
    std::ostream out(&nothing);
    SimOptions options;
    options.dir = busy.folder;
    options.stage = 1;
    options.ticks = 10000;
    options.every = 1000;
    options.drawFrames = draw;
    std::string error;
    for (auto _ : state) {
        if (RunSimulation(options, {}, out, out, error) != 0) state.SkipWithError(error.c_str());
    }
    state.counters["ticks/s"] = benchmark::Counter(static_cast<double>(options.ticks),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK_CAPTURE(Sim, SimHeadless, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Sim, SimDrawn, true)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tovek

BENCHMARK_MAIN();
