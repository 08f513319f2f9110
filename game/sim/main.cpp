// tovek-sim: the game without a window, for tests, replays and benchmarks.
#include <cerrno>
#include <iostream>

#include "game/sim/simulation.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
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
