// tovek-sim: the game without a window, for tests, replays and benchmarks.
#include <fstream>
#include <iostream>
#include <sstream>

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
        std::ifstream file(*options->keysFile, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        auto parsed = tovek::ParseKeyScript(text.str(), options->keysFile->string(), error);
        if (!parsed) {
            std::cerr << "tovek-sim: " << error << '\n';
            return 2;
        }
        keys = std::move(*parsed);
    }
    const int status = tovek::RunSimulation(*options, std::move(keys), std::cout, std::cerr, error);
    std::cout.flush();
    if (status != 0) std::cerr << "tovek-sim: " << error << '\n';
    return status;
}
