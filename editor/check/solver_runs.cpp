#include "editor/check/solver_runs.h"

#include <algorithm>
#include <utility>

#include "common/settings_file.h"
#include "editor/core/geometry.h"
#include "editor/core/number_text.h"
#include "editor/play/play_test.h"
#include "game/core/game.h"
#include "game/core/startup.h"
#include "game/core/tile_codes.h"

namespace quorle {
namespace {

bool HasGoal(const tovek::EditorStage& stage) {
    return std::any_of(stage.cells.begin(), stage.cells.end(),
                       [](const MapCell& cell) { return cell.mainTile == tovek::kTileGoal; });
}

// The threads of one search: all but one of the machine's, for the window.
int SearchThreads() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 1 ? static_cast<int>(cores - 1) : 1;
}

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

SolverRuns::SolverRuns(std::filesystem::path programFolder, int stageNumber,
                       tovek::EditorStage stage, std::optional<std::int64_t> budget)
    : programFolder_(std::move(programFolder)),
      stageNumber_(stageNumber),
      stage_(std::move(stage)),
      budget_(budget.value_or(tovek::SolverOptions().budget)) {
    // The game's own reading of the settings decides mirroring and speed.
    tovek::Game settings;
    settings.programFolder = programFolder_;
    tovek::ReadSettings(settings, tovek::SettingsFile::LoadFromProgramFolder(programFolder_));
    mirrorHorizontal_ = settings.mirrorHorizontal;
    mirrorVertical_ = settings.mirrorVertical;
    tickInterval_ = settings.tickInterval;

    for (int character = 0; character < kCharacterCount; ++character) {
        CharacterRun run;
        run.character = character;
        runs_.push_back(run);
    }
    std::optional<tovek::GameStage> gameStage =
        tovek::GameStageFromEditorStage(stage_, mirrorHorizontal_, mirrorVertical_);
    if (!gameStage || !HasGoal(stage_)) {
        for (CharacterRun& run : runs_) {
            run.state = CharacterRun::State::Done;
            run.error = "ゴールがないので、クリアの手順は探しません。";
        }
        runsDone_ = kCharacterCount;
        finished_ = true;
        return;
    }
    thread_ =
        std::thread([this, stage = std::move(*gameStage)]() mutable { Search(std::move(stage)); });
}

SolverRuns::~SolverRuns() {
    Cancel();
    if (thread_.joinable()) thread_.join();
}

void SolverRuns::Cancel() {
    cancel_ = true;
}

void SolverRuns::Search(tovek::GameStage stage) {
    for (int character = 0; character < kCharacterCount && !cancel_; ++character) {
        {
            const std::lock_guard lock(mutex_);
            runs_[character].state = CharacterRun::State::Searching;
        }
        ticksOfRun_ = 0;
        tovek::SolverSetup setup{.programFolder = programFolder_,
                                 .stage = stageNumber_,
                                 .stageInMemory = stage,
                                 .character = character,
                                 .seed = kSeed,
                                 .leadIn = {}};
        tovek::SolverOptions options{
            .budget = budget_,
            .threads = SearchThreads(),
            .cancel = &cancel_,
            .progress = [this](std::int64_t ticks) { ticksOfRun_ = ticks; }};
        std::string error;
        std::optional<tovek::SolverResult> result = tovek::SolveStage(setup, options, &error);
        {
            const std::lock_guard lock(mutex_);
            CharacterRun& run = runs_[character];
            run.state = CharacterRun::State::Done;
            run.result = std::move(result);
            run.error = std::move(error);
        }
        ++runsDone_;
    }
    finished_ = true;
}

double SolverRuns::Progress() const {
    if (finished_) return 1.0;
    const double run =
        std::min(1.0, static_cast<double>(ticksOfRun_) / static_cast<double>(budget_));
    return (runsDone_ + run) / kCharacterCount;
}

std::vector<CharacterRun> SolverRuns::Runs() const {
    const std::lock_guard lock(mutex_);
    return runs_;
}

RoutePoint SolverRuns::EditorPoint(int x, int y) const {
    const int lastX = (stage_.width - 1) * kCell;
    const int lastY = (stage_.height - 1) * kCell;
    return {mirrorHorizontal_ ? lastX - x : x, mirrorVertical_ ? lastY - y : y};
}

std::vector<RoutePoint> SolverRuns::EditorRoute(const tovek::SolverResult& result) const {
    std::vector<RoutePoint> route;
    route.reserve(result.route.size());
    for (const tovek::RoutePoint& point : result.route)
        route.push_back(EditorPoint(point.x, point.y));
    return route;
}

std::string SolverRuns::RunText(const CharacterRun& run) const {
    const std::string name = CharacterName(run.character) + ": ";
    const bool cancelled = run.result ? run.result->cancelled : cancel_.load();
    switch (run.state) {
        case CharacterRun::State::Waiting:
            return name + (cancelled ? "中止しました。" : "順番を待っています。");
        case CharacterRun::State::Searching:
            return name + (cancelled ? "中止しています…" : "クリアの手順を探しています…");
        case CharacterRun::State::Done:
            break;
    }
    if (!run.result) return name + run.error;
    const tovek::SolverResult& result = *run.result;
    if (result.cancelled) return name + "中止しました。";
    if (result.cleared) {
        const std::int64_t tenths = result.tick * tickInterval_ / 100;
        return JoinText({name, "クリアできます。", std::to_string(result.tick), "ティック（",
                         std::to_string(tenths / 10), ".", std::to_string(tenths % 10),
                         "秒）でゴール、スコア", DecimalText(result.score), "点"});
    }
    const tovek::ClosestApproach& closest = result.closest;
    const RoutePoint at = EditorPoint(closest.x, closest.y);
    const std::string cell = JoinText({"(", DecimalText(FloorDiv(at.x + kCell / 2, kCell)), ", ",
                                       DecimalText(FloorDiv(at.y + kCell / 2, kCell)), ")"});
    std::string text = name + "クリアの手順は見つかりませんでした。";
    if (closest.cellsToGoal) {
        text += JoinText({"ゴールまであと", DecimalText(*closest.cellsToGoal), "マスの", cell,
                          "まで近づきました（", std::to_string(closest.tick), "ティック目）。"});
    }
    return text;
}

}  // namespace quorle
