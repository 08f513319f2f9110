// tovek-sim: the game without a window, for tests, replays and benchmarks.
#include <cerrno>
#include <iostream>
#include <string_view>

#include "common/tool_help.h"
#include "game/sim/simulation.h"

namespace {

constexpr std::string_view kHelp =
    "usage: tovek-sim --dir DIR --stage N [--ticks T] [--seed S] [--keys FILE] [--every K]\n"
    "                 [--map] [--frames OUTDIR]\n"
    "Plays stage N of the game without a window and prints its state as one JSON line\n"
    "for tick 0 and for every K-th tick up to tick T.\n"
    "  --dir DIR        the program folder: Tovek.ini, Tovek.mid, the stage folder\n"
    "  --stage N        the stage, 1..100\n"
    "  --ticks T        timer ticks to run (default 0)\n"
    "  --seed S         seed of the random source (default 1)\n"
    "  --keys FILE      key events, a line each: TICK down|up KEY, KEY one of\n"
    "                   Left Right Up Down Space Escape S\n"
    "  --every K        print every K-th tick (default 1); tick T is always printed\n"
    "  --map            add the map layers to the line of tick 0\n"
    "  --frames OUTDIR  write the picture of each printed tick as OUTDIR/NNNNNN.png\n"
    "  --help           this text\n"
    "  --version        the version\n"
    "Exit status: 0 done, 1 no font for the frames or frames not written, 2 usage error.\n";

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const auto answered = tovek::AnswerHelpOrVersion(args, "tovek-sim", kHelp, std::cout)) {
        return *answered;
    }
    std::string error;
    const auto options = tovek::ParseSimOptions(args, error);
    if (!options) {
        std::cerr << "tovek-sim: " << error << '\n';
        return 2;
    }
    std::vector<tovek::KeyEvent> keys;
    if (options->keysFile) {
        auto parsed = tovek::ReadKeyScript(*options->keysFile, error);
        if (!parsed) {
            std::cerr << "tovek-sim: " << error << '\n';
            return 2;
        }
        keys = std::move(*parsed);
    }
    int status = tovek::RunSimulation(*options, std::move(keys), std::cout, std::cerr, error);
    errno = 0;
    if (status == 0 && !std::cout.flush()) {
        status = 1;
        error = tovek::WriteFailure("the state lines", errno);
    }
    if (status != 0) std::cerr << "tovek-sim: " << error << '\n';
    return status;
}
