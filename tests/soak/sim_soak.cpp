// sim_soak: runs tovek-sim over the shipped stages and random ones with random
// keys and checks every state line: strict JSON with the contract's keys in
// order, the tick counting up, positions within 1,024 pixels of the map, the
// lift and actor tables within what the stage can make, and the score never
// below -100 per miss. Exits 1 naming the first line that breaks one.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "common/file_access.h"
#include "common/random_source.h"
#include "common/stage_file.h"
#include "common/stage_naming.h"
#include "tests/soak/state_checks.h"

namespace {

namespace fs = std::filesystem;
using tovek::RandomSource;

struct Options {
    std::string sim;
    fs::path shipped;
    std::int64_t ticks = 10000;
    int randomStages = 0;
    std::int64_t randomTicks = 10000;
    std::uint64_t seed = 1;
};

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--sim") {
            options.sim = value;
        } else if (name == "--shipped") {
            options.shipped = value;
        } else if (name == "--ticks") {
            options.ticks = std::stoll(value);
        } else if (name == "--random") {
            options.randomStages = std::stoi(value);
        } else if (name == "--random-ticks") {
            options.randomTicks = std::stoll(value);
        } else if (name == "--seed") {
            options.seed = std::stoull(value);
        } else {
            return std::nullopt;
        }
    }
    if (argc % 2 == 0 || options.sim.empty()) return std::nullopt;
    return options;
}

// A stage of our own: a floor with gaps, scattered blocks, water, items,
// actors and lifts, sometimes the largest map.
tovek::EditorStage RandomStage(RandomSource& random) {
    static const std::uint8_t kTiles[] = {1, 2, 7, 8, 9, 10, 11, 18, 19, 20, 21, 22, 23, 24, 27};
    static const std::uint8_t kLifts[] = {12, 13, 14, 15, 16, 17, 18, 19, 26};
    tovek::EditorStage stage;
    const bool largest = random.Below(16) == 0;
    stage.width = largest ? 255 : 12 + random.Below(120);
    stage.height = largest ? 255 : 8 + random.Below(40);
    stage.background = random.Below(16);
    stage.cells.resize(static_cast<std::size_t>(stage.width) * stage.height);
    // Per hundred cells; the largest map gets few objects, else every state
    // line lists thousands.
    const int density = largest ? 1 : 2 + random.Below(20);
    for (int y = 0; y < stage.height; ++y) {
        for (int x = 0; x < stage.width; ++x) {
            tovek::MapCell& cell = stage.cells[static_cast<std::size_t>(y * stage.width + x)];
            if (y == stage.height - 1 && random.Below(10) != 0) cell.mainTile = 1;
            if (random.Below(100) < density) cell.mainTile = kTiles[random.Below(15)];
            if (random.Below(100) < density / 2) cell.actorCode = 32 + random.Below(32);
            if (random.Below(200) < density / 2) cell.liftCode = kLifts[random.Below(9)];
            if (random.Below(100) < density / 2) cell.water = tovek::kWaterCode;
            if (random.Below(400) == 0) cell.mainTile = 32 + random.Below(32);  // ports
        }
    }
    const int goal = random.Below(static_cast<int>(stage.cells.size()));
    stage.cells[static_cast<std::size_t>(goal)].mainTile = 17;
    stage.cells[static_cast<std::size_t>(stage.width * (stage.height - 2))].mainTile =
        tovek::kStartTile;
    return stage;
}

// Random presses and releases, mostly of the arrows; Space, Escape and S now
// and then, so that runs also leave, restart and continue.
std::string RandomKeys(RandomSource& random, std::int64_t ticks) {
    static const char* const kKeys[] = {"Right", "Right", "Left",   "Up", "Up",
                                        "Down",  "Space", "Escape", "S"};
    std::string keys;
    for (std::int64_t tick = 1; tick <= ticks; ++tick) {
        if (random.Below(6) != 0) continue;
        const char* key = kKeys[random.Below(random.Below(40) == 0 ? 9 : 6)];
        keys += std::to_string(tick) + (random.Below(2) ? " down " : " up ") + key + "\n";
    }
    return keys;
}

// One tovek-sim run over `stageFile` as stage 1; returns the ticks checked,
// or nothing after printing the first violation.
std::optional<std::int64_t> SoakRun(const Options& options, const fs::path& stageFile,
                                    std::int64_t ticks, RandomSource& random,
                                    const fs::path& work) {
    const std::vector<std::uint8_t> bytes =
        tovek::ReadFileBytes(stageFile).value_or(std::vector<std::uint8_t>{});
    const std::optional<tovek::GameStage> stage = tovek::ReadGameStage(bytes, false, false);
    fs::remove_all(work);
    fs::create_directories(work / "data");
    std::ofstream(work / "Tovek.ini")
        << "[Customize]\nFolder=data\nTSpeed=" << random.Below(3) << "\nChara=" << random.Below(3)
        << "\nHMirror=" << random.Below(2) << "\nVMirror=" << random.Below(2) << "\n";
    fs::copy_file(stageFile, tovek::StageFilePath(work / "data", 1));
    std::ofstream(work / "keys.txt") << RandomKeys(random, ticks);

    const std::string command = options.sim + " --dir '" + work.string() + "' --stage 1 --ticks " +
                                std::to_string(ticks) + " --seed " +
                                std::to_string(random.Below(1 << 30)) + " --keys '" +
                                (work / "keys.txt").string() + "'";
    FILE* output = ::popen(command.c_str(), "r");
    if (output == nullptr) return std::nullopt;
    tovek::soak::StateChecker checker(stage ? stage->mapWidth : 0, stage ? stage->mapHeight : 0);
    std::optional<std::string> violation;
    char* buffer = nullptr;
    std::size_t capacity = 0;
    for (ssize_t length; (length = ::getline(&buffer, &capacity, output)) > 0;) {
        if (violation) continue;
        if (buffer[length - 1] != '\n') {
            violation = "a state line without its end";
        } else {
            violation = checker.Check(std::string(buffer, static_cast<std::size_t>(length - 1)));
        }
    }
    std::free(buffer);
    const int status = ::pclose(output);
    if (!violation && status != 0)
        violation = "tovek-sim ended with status " + std::to_string(status);
    if (!violation && checker.Lines() != ticks + 1) {
        violation = "tovek-sim printed " + std::to_string(checker.Lines()) + " lines";
    }
    if (violation) {
        std::fprintf(stderr, "soak: %s: %s (run kept in %s)\n", stageFile.c_str(),
                     violation->c_str(), work.c_str());
        return std::nullopt;
    }
    return ticks;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr,
                     "usage: sim_soak --sim TOVEK_SIM [--shipped DIR] [--ticks N] [--random R] "
                     "[--random-ticks M] [--seed S]\n");
        return 2;
    }
    RandomSource random(options->seed);
    const fs::path work = fs::temp_directory_path() / ("tovek-soak-" + std::to_string(::getpid()));
    std::vector<std::pair<fs::path, std::int64_t>> runs;
    if (!options->shipped.empty()) {
        for (const fs::directory_entry& entry : fs::directory_iterator(options->shipped)) {
            if (entry.path().extension() == ".dat" && entry.path().filename() != "hscore.dat") {
                runs.emplace_back(entry.path(), options->ticks);
            }
        }
        std::sort(runs.begin(), runs.end());
    }
    fs::create_directories(work);
    for (int i = 0; i < options->randomStages; ++i) {
        const fs::path file = work / ("random" + std::to_string(i) + ".dat");
        RandomSource keys(random.Below(1 << 30));
        tovek::ReplaceFileAtomically(
            file, tovek::WriteEditorStage(RandomStage(random), tovek::DrawKeyMaterial(keys)));
        runs.emplace_back(file, options->randomTicks);
    }
    std::int64_t total = 0;
    for (const auto& [file, ticks] : runs) {
        const std::optional<std::int64_t> checked =
            SoakRun(*options, file, ticks, random, work / "run");
        if (!checked) return 1;
        total += *checked;
    }
    fs::remove_all(work);
    std::printf("soak: %zu runs, %lld ticks, every state line within bounds\n", runs.size(),
                static_cast<long long>(total));
    return 0;
}
