// The solver on any small stage file: it ends within its budget without
// fault, and a clear it reports replays through the game core key by key,
// clearing on the reported tick with the reported score and no miss before.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "common/stage_file.h"
#include "game/core/keyboard.h"
#include "game/solver/solver.h"
#include "game/solver/stage_run.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// Small maps and a small budget keep each run to a few milliseconds (about
// 250 runs a second under ASan); the search's paths are the same on larger
// ones, and a 32-cell map is crossed well inside 400 ticks.
constexpr int kMostCells = 32 * 16;
constexpr std::int64_t kBudget = 400;

void ExpectReplayClears(const tovek::SolverSetup& setup, const tovek::SolverResult& result) {
    std::string error;
    const std::unique_ptr<tovek::StageRun> run = tovek::StageRun::Start(setup, &error);
    FUZZ_CHECK(run != nullptr);
    const tovek::Game& game = run->game();
    auto event = result.keys.begin();
    for (std::int64_t tick = 1; tick <= result.tick; ++tick) {
        for (; event != result.keys.end() && event->tick == tick; ++event) {
            if (event->down) {
                tovek::Form_KeyDown(run->game(), event->keyCode);
            } else {
                tovek::Form_KeyUp(run->game(), event->keyCode);
            }
        }
        FUZZ_CHECK(event == result.keys.end() || event->tick > tick);
        run->Step(tick, {}, {});
        FUZZ_CHECK(!game.dying && !game.gameOver);
        FUZZ_CHECK(game.stageCleared == (tick == result.tick));
    }
    FUZZ_CHECK(game.score == result.score);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::optional<tovek::GameStage> stage =
        tovek::ReadGameStage(std::span(data, size), false, false);
    if (!stage || stage->mapWidth * stage->mapHeight > kMostCells) return 0;
    tovek::SolverSetup setup;
    // A folder without Tovek.ini: every setting its default.
    setup.programFolder = std::filesystem::temp_directory_path() / "tovek-solver-fuzz-none";
    setup.stageInMemory = std::move(stage);
    tovek::SolverOptions options;
    options.budget = kBudget;
    std::string error;
    const std::optional<tovek::SolverResult> result = tovek::SolveStage(setup, options, &error);
    if (!result) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    FUZZ_CHECK(result->ticksSimulated <= kBudget);
    if (!result->cleared) {
        FUZZ_CHECK(result->keys.empty());
        return 0;
    }
    FUZZ_CHECK(result->tick >= 1 &&
               result->route.size() == static_cast<std::size_t>(result->tick) + 1);
    ExpectReplayClears(setup, *result);
    return 0;
}
