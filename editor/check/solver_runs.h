#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/stage_file.h"
#include "editor/core/editor.h"
#include "game/solver/solver.h"

namespace quorle {

inline constexpr int kCharacterCount = 3;

// One character's search as the stage check shows it.
struct CharacterRun {
    enum class State { Waiting, Searching, Done };

    int character = 0;
    State state = State::Waiting;
    std::optional<tovek::SolverResult> result;  // once Done, unless it could not start
    std::string error;                          // why it could not start
};

// The solver on the document for characters 0, 1 and 2 in turn, on a thread
// of its own, over the stage exactly as the game would load it once saved
// (Tovek.ini's settings, mirroring included), with the seed tovek-solve uses
// by default. The editor goes on meanwhile; the document is copied first.
class SolverRuns {
  public:
    // `budget` is tovek-solve's for each character unless given.
    SolverRuns(std::filesystem::path programFolder, int stageNumber, tovek::EditorStage stage,
               std::optional<std::int64_t> budget = std::nullopt);
    // Cancels and waits for the search to end.
    ~SolverRuns();
    SolverRuns(const SolverRuns&) = delete;
    SolverRuns& operator=(const SolverRuns&) = delete;

    // The running search ends soon as not cleared; the ones waiting never start.
    void Cancel();
    bool Finished() const { return finished_; }
    // 0..1: the ticks simulated over the three budgets, a finished search
    // counting whole.
    double Progress() const;
    std::vector<CharacterRun> Runs() const;

    // What the check's panel says of a run: "0 バランス型: クリアできます。…".
    std::string RunText(const CharacterRun& run) const;
    // A clearing run's player positions in the editor's map pixels (the map
    // as the game loads it may be mirrored).
    std::vector<RoutePoint> EditorRoute(const tovek::SolverResult& result) const;

    const tovek::EditorStage& Stage() const { return stage_; }
    int StageNumber() const { return stageNumber_; }
    std::uint64_t Seed() const { return kSeed; }

  private:
    static constexpr std::uint64_t kSeed = 1;

    void Search(tovek::GameStage stage);
    // A map pixel of the game's map as a map pixel of the editor's.
    RoutePoint EditorPoint(int x, int y) const;

    std::filesystem::path programFolder_;
    int stageNumber_;
    tovek::EditorStage stage_;
    std::int64_t budget_;
    bool mirrorHorizontal_ = false;
    bool mirrorVertical_ = false;
    int tickInterval_ = 80;

    mutable std::mutex mutex_;
    std::vector<CharacterRun> runs_;  // guarded by mutex_
    std::atomic<bool> cancel_{false};
    std::atomic<std::int64_t> ticksOfRun_{0};
    std::atomic<int> runsDone_{0};
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

}  // namespace quorle
