#include "game/solver/search.h"

#include <algorithm>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <queue>
#include <thread>
#include <unordered_map>
#include <unordered_set>

#include "game/solver/goal_distances.h"
#include "game/solver/search_state.h"
#include "game/solver/stage_run.h"

namespace tovek {
namespace {

// How long a step holds its keys, in ticks: single ticks for the precise
// moments, longer ones to cover ground; holding nothing longer still, to
// wait for a lift or ride one.
constexpr std::uint8_t kStepTicks[] = {1, 3, 6, 12};
constexpr std::uint8_t kWaitTicks = 24;

// Ranking, in quarter ticks. Until the first clear the search is greedy:
// each cell still to go and each earlier visit of the same place (cell,
// power-ups, world changes) weigh far more than the time taken. Afterwards
// time counts fully, to find an earlier clear.
struct Weights {
    std::int64_t tick;
    std::int64_t way;
    std::int64_t visit;
};
constexpr Weights kFindingWeights = {1, 40, 64};
constexpr Weights kImprovingWeights = {4, 12, 8};

// Rounds expand this many of the best states at once, whatever the threads.
constexpr int kStatesPerRound = 4;

// The frontier is halved (the worse half dropped) when its states take more.
constexpr std::size_t kFrontierBytes = std::size_t{512} << 20;

// After the first clear the search looks for an earlier one for as many
// ticks again as the first took, and at least this many.
constexpr std::int64_t kLeastImprovementTicks = 200'000;

struct Action {
    HeldKeys held;
    std::uint8_t ticks;
};

struct Node {
    std::int32_t parent = -1;
    std::int32_t tick = 0;
    HeldKeys held;  // held from the step's first tick on
    bool mayPressDown = false;
};

struct Candidate {
    std::int64_t priority;
    std::int64_t order;
    std::int32_t node;
    std::int32_t state;
    std::int32_t way;
    std::int32_t visited;

    bool operator>(const Candidate& other) const {
        return std::tie(priority, order) > std::tie(other.priority, other.order);
    }
};

struct Job {
    std::int32_t node;
    std::int32_t state;
    Action action;
};

struct Outcome {
    std::int32_t ticks = 0;
    bool miss = false;
    bool cleared = false;
    std::int32_t endTick = 0;
    std::int32_t score = 0;
    std::optional<ClosestApproach> closest;
    StateKeys keys;
    NodeState state;
};

void AddActions(bool mayPressDown, std::vector<Action>& actions) {
    actions.clear();
    const std::uint8_t lastVertical = mayPressDown ? 2 : 1;
    for (const std::uint8_t ticks : kStepTicks) {
        for (std::uint8_t vertical = 0; vertical <= lastVertical; ++vertical) {
            for (std::uint8_t horizontal = 0; horizontal <= 2; ++horizontal) {
                actions.push_back({{horizontal, vertical}, ticks});
            }
        }
    }
    actions.push_back({{}, kWaitTicks});
}

// Runs the same function over a range of indices on a fixed set of threads;
// the caller's thread takes part.
class WorkerPool {
  public:
    explicit WorkerPool(int threads) {
        for (int i = 1; i < threads; ++i) {
            threads_.emplace_back([this, i] { Serve(i); });
        }
    }
    ~WorkerPool() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        for (std::thread& thread : threads_)
            thread.join();
    }

    // work(worker, index) for every index in 0..count-1.
    void Run(int count, const std::function<void(int, int)>& work) {
        if (threads_.empty()) {
            for (int i = 0; i < count; ++i)
                work(0, i);
            return;
        }
        {
            std::lock_guard lock(mutex_);
            work_ = &work;
            count_ = count;
            next_ = 0;
            busy_ = static_cast<int>(threads_.size());
            ++round_;
        }
        wake_.notify_all();
        Take(0);
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return busy_ == 0; });
        work_ = nullptr;
    }

  private:
    void Take(int worker) {
        for (;;) {
            int index;
            {
                std::lock_guard lock(mutex_);
                if (next_ >= count_) return;
                index = next_++;
            }
            (*work_)(worker, index);
        }
    }

    void Serve(int worker) {
        long seen = 0;
        for (;;) {
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [&] { return stopping_ || round_ != seen; });
                if (stopping_) return;
                seen = round_;
            }
            Take(worker);
            std::lock_guard lock(mutex_);
            if (--busy_ == 0) done_.notify_one();
        }
    }

    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    const std::function<void(int, int)>* work_ = nullptr;
    int count_ = 0;
    int next_ = 0;
    int busy_ = 0;
    long round_ = 0;
    bool stopping_ = false;
};

}  // namespace

struct StageSearch::Impl {
    SolverSetup setup;
    SolverOptions options;

    std::vector<std::unique_ptr<StageRun>> runs;
    std::vector<std::unique_ptr<StateKeeper>> keepers;
    std::optional<GoalDistances> distances;

    std::vector<Node> nodes;
    std::vector<NodeState> states;
    std::vector<std::int32_t> freeStates;
    std::size_t stateBytes = 0;
    std::priority_queue<Candidate, std::vector<Candidate>, std::greater<>> frontier;
    std::int64_t order = 0;
    std::unordered_set<std::uint64_t> seen;
    std::unordered_map<std::uint64_t, std::int32_t> visits;

    SolverResult result;
    std::int32_t clearNode = -1;
    std::int64_t stopAt = 0;

    std::int32_t NewState() {
        if (!freeStates.empty()) {
            const std::int32_t index = freeStates.back();
            freeStates.pop_back();
            return index;
        }
        states.emplace_back();
        return static_cast<std::int32_t>(states.size() - 1);
    }

    void FreeState(std::int32_t index) {
        stateBytes -= states[index].Bytes();
        freeStates.push_back(index);
    }

    void Simulate(int worker, const Job& job, Outcome& out) {
        StateKeeper& keeper = *keepers[worker];
        StageRun& run = keeper.run();
        const Game& game = run.game();
        keeper.Load(states[job.state]);
        const Node& parent = nodes[job.node];
        // Reset field by field: the state keeps its storage for the next step.
        out.ticks = 0;
        out.miss = false;
        out.cleared = false;
        out.closest.reset();
        for (int k = 1; k <= job.action.ticks; ++k) {
            const std::int32_t tick = parent.tick + k;
            run.Step(tick, k == 1 ? parent.held : job.action.held, job.action.held);
            ++out.ticks;
            const std::optional<int> cells = distances->CellsToGoal(game.playerX, game.playerY);
            if (!out.closest || (cells && *cells < *out.closest->cellsToGoal)) {
                out.closest = ClosestApproach{tick, game.playerX, game.playerY, cells};
            }
            out.endTick = tick;
            if (game.dying || game.gameOver) {
                out.miss = true;
                return;
            }
            if (game.stageCleared) {
                out.cleared = true;
                out.score = game.score;
                return;
            }
        }
        keeper.Save(out.state);
        out.keys = keeper.Keys(out.state, *distances);
    }

    void NoteClosest(const std::optional<ClosestApproach>& closest) {
        if (!closest) return;
        const ClosestApproach& best = result.closest;
        const bool nearer = closest->cellsToGoal &&
                            (!best.cellsToGoal || *closest->cellsToGoal < *best.cellsToGoal);
        if (nearer) result.closest = *closest;
    }

    std::int32_t AddNode(const Job& job, std::int32_t tick, bool mayPressDown) {
        nodes.push_back({job.node, tick, job.action.held, mayPressDown});
        return static_cast<std::int32_t>(nodes.size() - 1);
    }

    // A state that cannot lead to a clear before the best one found so far.
    bool TooLate(std::int64_t tick, int way) const {
        return clearNode >= 0 && tick + way / 2 >= result.tick;
    }

    void Accept(const Job& job, Outcome& out) {
        NoteClosest(out.closest);
        result.ticksSimulated += out.ticks;
        if (out.miss) return;
        if (out.cleared) {
            if (clearNode < 0 || out.endTick < result.tick) {
                const bool first = clearNode < 0;
                clearNode = AddNode(job, out.endTick, false);
                if (first) {
                    stopAt = std::min(options.budget,
                                      result.ticksSimulated +
                                          std::max(result.ticksSimulated, kLeastImprovementTicks));
                    Reweigh();
                }
                result.cleared = true;
                result.tick = out.endTick;
                result.score = out.score;
            }
            return;
        }
        if (TooLate(out.endTick, out.keys.wayToGoal)) return;
        if (!seen.insert(out.keys.duplicate).second) return;
        const std::int32_t visited = visits[out.keys.place]++;
        const std::int32_t node = AddNode(job, out.endTick, out.keys.mayPressDown);
        const std::int32_t state = NewState();
        std::swap(states[state], out.state);
        stateBytes += states[state].Bytes();
        Candidate next{0, order++, node, state, out.keys.wayToGoal, visited};
        next.priority = Priority(next);
        frontier.push(next);
        if (stateBytes > kFrontierBytes) HalveFrontier();
    }

    std::int64_t Priority(const Candidate& candidate) const {
        const Weights& w = clearNode < 0 ? kFindingWeights : kImprovingWeights;
        return w.tick * nodes[candidate.node].tick + w.way * candidate.way +
               w.visit * candidate.visited;
    }

    // Ranks the whole frontier anew by the weights now in force.
    void Reweigh() {
        std::vector<Candidate> all;
        all.reserve(frontier.size());
        while (!frontier.empty()) {
            Candidate candidate = frontier.top();
            frontier.pop();
            candidate.priority = Priority(candidate);
            all.push_back(candidate);
        }
        frontier = decltype(frontier)(std::greater<>(), std::move(all));
    }

    void HalveFrontier() {
        std::vector<Candidate> all;
        all.reserve(frontier.size());
        while (!frontier.empty()) {
            all.push_back(frontier.top());
            frontier.pop();
        }
        const std::size_t keep = all.size() / 2;
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (i < keep) {
                frontier.push(all[i]);
            } else {
                FreeState(all[i].state);
            }
        }
    }

    bool Stopped() const {
        if (options.cancel != nullptr && options.cancel->load()) return true;
        return clearNode >= 0 && result.ticksSimulated >= stopAt;
    }

    void Search(WorkerPool& pool) {
        std::vector<Job> jobs;
        std::vector<Outcome> outcomes;
        std::vector<Action> actions;
        while (!frontier.empty() && !Stopped()) {
            jobs.clear();
            std::vector<std::int32_t> expanded;
            while (!frontier.empty() && static_cast<int>(expanded.size()) < kStatesPerRound) {
                const Candidate next = frontier.top();
                frontier.pop();
                if (TooLate(nodes[next.node].tick, 0)) {
                    FreeState(next.state);
                    continue;
                }
                expanded.push_back(next.state);
                AddActions(nodes[next.node].mayPressDown, actions);
                for (const Action& action : actions)
                    jobs.push_back({next.node, next.state, action});
            }
            std::int64_t roundTicks = 0;
            for (const Job& job : jobs)
                roundTicks += job.action.ticks;
            outcomes.resize(jobs.size());
            if (result.ticksSimulated + roundTicks <= options.budget) {
                pool.Run(static_cast<int>(jobs.size()),
                         [&](int worker, int i) { Simulate(worker, jobs[i], outcomes[i]); });
                for (std::size_t i = 0; i < jobs.size(); ++i)
                    Accept(jobs[i], outcomes[i]);
            } else {
                // The last round: only the steps that still fit the budget, in order.
                for (std::size_t i = 0; i < jobs.size(); ++i) {
                    if (result.ticksSimulated + jobs[i].action.ticks > options.budget) {
                        for (const std::int32_t state : expanded)
                            FreeState(state);
                        return;
                    }
                    Simulate(0, jobs[i], outcomes[i]);
                    Accept(jobs[i], outcomes[i]);
                }
            }
            for (const std::int32_t state : expanded)
                FreeState(state);
            if (options.progress) options.progress(result.ticksSimulated);
        }
    }

    // The clearing run as key events, and its route replayed from the start.
    bool WriteRun(std::string* error) {
        std::vector<std::int32_t> chain;
        for (std::int32_t node = clearNode; node > 0; node = nodes[node].parent) {
            chain.push_back(node);
        }
        std::reverse(chain.begin(), chain.end());
        HeldKeys held;
        for (const std::int32_t node : chain) {
            const std::int32_t firstTick = nodes[nodes[node].parent].tick + 1;
            AppendKeyChanges(held, nodes[node].held, firstTick, result.keys);
            held = nodes[node].held;
        }
        AppendKeyChanges(held, HeldKeys{}, result.tick + 1, result.keys);

        std::unique_ptr<StageRun> replay = StageRun::Start(setup, error);
        if (!replay) return false;
        const Game& game = replay->game();
        result.route.push_back({game.playerX, game.playerY});
        held = HeldKeys{};
        for (const std::int32_t node : chain) {
            for (std::int32_t tick = nodes[nodes[node].parent].tick + 1; tick <= nodes[node].tick;
                 ++tick) {
                replay->Step(tick, held, nodes[node].held);
                held = nodes[node].held;
                result.route.push_back({game.playerX, game.playerY});
                if (game.dying || game.gameOver || (game.stageCleared && tick < result.tick)) {
                    if (error != nullptr) *error = "the found run does not replay";
                    return false;
                }
            }
        }
        if (!game.stageCleared || game.score != result.score) {
            if (error != nullptr) *error = "the found run does not replay";
            return false;
        }
        return true;
    }
};

StageSearch::StageSearch(const SolverSetup& setup, const SolverOptions& options)
    : impl_(std::make_unique<Impl>()) {
    impl_->setup = setup;
    impl_->options = options;
}

StageSearch::~StageSearch() = default;

std::optional<SolverResult> StageSearch::Run(std::string* error) {
    Impl& s = *impl_;
    const int threads = std::max(1, s.options.threads);
    for (int i = 0; i < threads; ++i) {
        auto run = StageRun::Start(s.setup, error);
        if (!run) return std::nullopt;
        s.keepers.push_back(std::make_unique<StateKeeper>(*run));
        s.runs.push_back(std::move(run));
    }
    const Game& start = s.runs.front()->game();
    s.result.character = start.character;
    s.distances.emplace(start);
    s.result.closest = {0, start.playerX, start.playerY,
                        s.distances->CellsToGoal(start.playerX, start.playerY)};

    s.nodes.push_back({-1, 0, HeldKeys{}, false});
    const std::int32_t root = s.NewState();
    s.keepers.front()->Save(s.states[root]);
    s.nodes.front().mayPressDown =
        s.keepers.front()->Keys(s.states[root], *s.distances).mayPressDown;
    s.stateBytes += s.states[root].Bytes();
    s.frontier.push({0, s.order++, 0, root, 0, 0});

    WorkerPool pool(threads);
    s.Search(pool);
    s.result.cancelled = s.options.cancel != nullptr && s.options.cancel->load();
    if (s.result.cleared && !s.WriteRun(error)) return std::nullopt;
    return s.result;
}

std::optional<SolverResult> SolveStage(const SolverSetup& setup, const SolverOptions& options,
                                       std::string* error) {
    return StageSearch(setup, options).Run(error);
}

}  // namespace tovek
