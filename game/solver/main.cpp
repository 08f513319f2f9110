// tovek-solve: searches key presses that clear a stage and writes them as a
// keys file for tovek-sim.
#include <iostream>
#include <string_view>

#include "common/file_access.h"
#include "common/tool_help.h"
#include "game/solver/journey.h"
#include "game/solver/solve_options.h"
#include "game/solver/solver.h"

namespace {

constexpr std::string_view kHelp =
    "usage: tovek-solve --dir DIR --stage N [--chara C] [--seed S] [--budget B] [--threads T]\n"
    "                   [--keys OUT | --journey OUT]\n"
    "Searches key events that clear stage N without a miss, as tovek-sim would replay them,\n"
    "and prints the result as one JSON line.\n"
    "  --dir DIR      the program folder, as for tovek-sim; nothing in it is written\n"
    "  --stage N      the stage, 1..100\n"
    "  --chara C      the character 0, 1 or 2 instead of the \"Chara\" setting\n"
    "  --seed S       seed of the random source (default 1)\n"
    "  --budget B     the most ticks simulated over all runs (default 20000000)\n"
    "  --threads T    threads sharing the search (default 1); the answer does not depend on T\n"
    "  --keys OUT     write the keys file when the stage is cleared\n"
    "  --journey OUT  go on through stage 100 in the same session, pressing Space on each\n"
    "                 tally; one line per stage; OUT gets the whole run when all are cleared\n"
    "  --help         this text\n"
    "  --version      the version\n"
    "Exit status: 0 cleared (every stage with --journey), 1 not cleared within the budget,\n"
    "2 usage error.\n";

std::string OrNull(bool present, long long value) {
    return present ? std::to_string(value) : "null";
}

std::string ResultLine(const tovek::SolveOptions& options, int stage,
                       const tovek::SolverResult& result) {
    const tovek::ClosestApproach& closest = result.closest;
    return "{\"stage\": " + std::to_string(stage) +
           ", \"chara\": " + std::to_string(result.character) +
           ", \"seed\": " + std::to_string(options.seed) +
           ", \"cleared\": " + (result.cleared ? "true" : "false") +
           ", \"tick\": " + OrNull(result.cleared, result.tick) +
           ", \"score\": " + OrNull(result.cleared, result.score) +
           ", \"ticksSimulated\": " + std::to_string(result.ticksSimulated) +
           ", \"closest\": {\"tick\": " + std::to_string(closest.tick) +
           ", \"x\": " + std::to_string(closest.x) + ", \"y\": " + std::to_string(closest.y) +
           ", \"cellsToGoal\": " +
           OrNull(closest.cellsToGoal.has_value(), closest.cellsToGoal.value_or(0)) + "}}";
}

bool WriteKeys(const std::filesystem::path& file, const std::string& what,
               const tovek::SolveOptions& options, int character,
               const std::vector<tovek::KeyEvent>& keys) {
    const std::string text = "# tovek-solve: " + what + ", character " + std::to_string(character) +
                             ", seed " + std::to_string(options.seed) + '\n' +
                             tovek::FormatKeyScript(keys);
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    if (const std::error_code failed = tovek::ReplaceFileAtomically(file, bytes)) {
        std::cerr << "tovek-solve: cannot write " << file.string() << ": " << failed.message()
                  << '\n';
        return false;
    }
    return true;
}

// Every stage from the first on in one session; exit status as for one stage.
int RunJourney(const tovek::SolveOptions& options, const tovek::SolverSetup& setup,
               const tovek::SolverOptions& solverOptions) {
    bool printed = true;
    std::string error;
    const auto journey = tovek::SolveJourney(
        setup, solverOptions,
        [&](const tovek::JourneyLeg& leg) {
            std::cout << ResultLine(options, leg.stage, leg.result) << '\n' << std::flush;
            printed = printed && static_cast<bool>(std::cout);
        },
        &error);
    if (!printed) {
        std::cerr << "tovek-solve: cannot write the result to standard output\n";
        return 2;
    }
    if (!journey) {
        std::cerr << "tovek-solve: " << error << '\n';
        return 1;
    }
    if (!journey->complete) return 1;
    const std::string what = "journey from stage " + std::to_string(options.stage) + " to " +
                             std::to_string(journey->legs.back().stage);
    return WriteKeys(*options.journeyFile, what, options, journey->legs.back().result.character,
                     journey->keys)
               ? 0
               : 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const auto answered = tovek::AnswerHelpOrVersion(args, "tovek-solve", kHelp, std::cout)) {
        return *answered;
    }
    std::string error;
    const auto options = tovek::ParseSolveOptions(args, error);
    if (!options) {
        std::cerr << "tovek-solve: " << error << '\n';
        return 2;
    }
    tovek::SolverSetup setup;
    setup.programFolder = options->dir;
    setup.stage = options->stage;
    setup.character = options->chara;
    setup.seed = options->seed;
    tovek::SolverOptions solverOptions;
    solverOptions.budget = options->budget;
    solverOptions.threads = options->threads;
    if (options->journeyFile) return RunJourney(*options, setup, solverOptions);
    const auto result = tovek::SolveStage(setup, solverOptions, &error);
    if (!result) {
        std::cerr << "tovek-solve: " << error << '\n';
        return 2;
    }
    if (result->cleared && options->keysFile) {
        const std::string what = "stage " + std::to_string(options->stage);
        if (!WriteKeys(*options->keysFile, what, *options, result->character, result->keys)) {
            return 2;
        }
    }
    std::cout << ResultLine(*options, options->stage, *result) << '\n' << std::flush;
    if (!std::cout) {
        std::cerr << "tovek-solve: cannot write the result to standard output\n";
        return 2;
    }
    return result->cleared ? 0 : 1;
}
