// The rules the shipped stages keep as a set: each half of the game uses
// every mechanic in three stages at least, every background is seen, no
// stage is a near copy of another, and stages last as long as a stage should.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include "common/stage_file.h"
#include "common/stage_limits.h"
#include "common/stage_naming.h"
#include "game/core/tile_codes.h"
#include "game/sim/simulation.h"
#include "tests/support/temp_folder.h"

namespace tovek::test {
namespace {

namespace fs = std::filesystem;

const fs::path kStageData = TOVEK_STAGE_DATA;
const fs::path kStageSources = TOVEK_STAGE_SOURCES;

// The fastest clear, in ticks, of every stage after the first three.
constexpr std::int64_t kShortestClear = 300;
constexpr std::int64_t kLongestClear = 2250;
constexpr int kBackgroundCount = 16;
constexpr int kStagesPerMechanic = 3;

struct Half {
    int first;
    int last;
    std::int64_t medianClear;  // the least median of its stages' clear ticks
    int timesEachBackground;   // counted over stages 1..last
};
// Stages 1-3 came first; the first half's median counts from stage 4.
constexpr std::array<Half, 2> kHalves = {Half{1, 50, 500, 1}, Half{51, 100, 700, 2}};

std::string FileStem(int stage) {
    return "m" + FormatStageNumber(stage);
}

std::map<int, GameStage> LoadShippedStages() {
    std::map<int, GameStage> stages;
    for (int stage = 1; stage <= kStageCount; ++stage) {
        std::ifstream file(kStageData / (FileStem(stage) + ".dat"), std::ios::binary);
        if (!file) continue;
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
        if (std::optional<GameStage> map = ReadGameStage(bytes, false, false)) {
            stages.emplace(stage, std::move(*map));
        }
    }
    return stages;
}

const std::map<int, GameStage>& ShippedStages() {
    static const std::map<int, GameStage> stages = LoadShippedStages();
    return stages;
}

// Whether every stage of the half ships; the set rules hold for whole halves.
bool HalfComplete(const Half& half) {
    for (int stage = half.first; stage <= half.last; ++stage) {
        if (!ShippedStages().contains(stage)) return false;
    }
    return true;
}

// Everything a player meets that a stage can ask for, by name.
std::set<std::string> MechanicsOf(const GameStage& map) {
    std::set<std::string> found;
    for (std::size_t cell = 0; cell < map.tileMap.size(); ++cell) {
        const std::uint8_t tile = map.tileMap[cell];
        if (IsDownPort(tile)) found.insert("down port");
        if (IsUpPort(tile)) found.insert("up port");
        if (tile != 0 && tile < kActorCodeLeft) found.insert("tile " + std::to_string(tile));
        if (map.waterMap[cell] != 0) found.insert("water");
        if (const std::uint8_t lift = map.spawnLift[cell]; lift != 0) {
            found.insert("lift " + std::to_string(lift));
        }
        if (const std::uint8_t actor = map.spawnActor[cell]; actor != 0) {
            found.insert("actor kind " + std::to_string((actor - kActorCodeLeft) % 16));
        }
    }
    return found;
}

std::vector<std::string> RequiredMechanics() {
    std::vector<std::string> required = {"down port", "up port", "water"};
    for (const int tile :
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 16, 17, 18, 19, 20, 21, 22, 23, 24, 27}) {
        required.push_back("tile " + std::to_string(tile));
    }
    for (const int lift : {12, 13, 14, 15, 16, 17, 18, 19, 26}) {
        required.push_back("lift " + std::to_string(lift));
    }
    for (int kind = 0; kind < 16; ++kind)
        required.push_back("actor kind " + std::to_string(kind));
    return required;
}

TEST(StageSet, EachHalfUsesEveryMechanicInThreeStages) {
    for (const Half& half : kHalves) {
        if (!HalfComplete(half)) continue;
        std::map<std::string, int> stagesUsing;
        for (int stage = half.first; stage <= half.last; ++stage) {
            for (const std::string& mechanic : MechanicsOf(ShippedStages().at(stage))) {
                ++stagesUsing[mechanic];
            }
        }
        for (const std::string& mechanic : RequiredMechanics()) {
            EXPECT_GE(stagesUsing[mechanic], kStagesPerMechanic)
                << mechanic << " in stages " << half.first << ".." << half.last;
        }
    }
}

TEST(StageSet, EveryBackgroundIsSeen) {
    for (const Half& half : kHalves) {
        if (!HalfComplete(half)) continue;
        std::array<int, kBackgroundCount> uses{};
        for (int stage = 1; stage <= half.last; ++stage) {
            const int background = ShippedStages().at(stage).background;
            if (background >= 0 && background < kBackgroundCount) ++uses[background];
        }
        for (int background = 0; background < kBackgroundCount; ++background) {
            EXPECT_GE(uses[background], half.timesEachBackground)
                << "background " << background << " in stages 1.." << half.last;
        }
    }
}

// Cells that hold anything, and how many of them two stages hold alike at
// the same positions.
int NonEmptyCells(const GameStage& map) {
    int count = 0;
    for (std::size_t cell = 0; cell < map.tileMap.size(); ++cell) {
        count +=
            map.tileMap[cell] || map.waterMap[cell] || map.spawnActor[cell] || map.spawnLift[cell];
    }
    return count;
}

int SharedCells(const GameStage& a, const GameStage& b) {
    int shared = 0;
    for (int row = 0; row < std::min(a.mapHeight, b.mapHeight); ++row) {
        for (int column = 0; column < std::min(a.mapWidth, b.mapWidth); ++column) {
            const std::size_t i = static_cast<std::size_t>(column + row * a.mapWidth);
            const std::size_t j = static_cast<std::size_t>(column + row * b.mapWidth);
            const bool empty =
                !a.tileMap[i] && !a.waterMap[i] && !a.spawnActor[i] && !a.spawnLift[i];
            shared += !empty && a.tileMap[i] == b.tileMap[j] && a.waterMap[i] == b.waterMap[j] &&
                      a.spawnActor[i] == b.spawnActor[j] && a.spawnLift[i] == b.spawnLift[j];
        }
    }
    return shared;
}

// Of the cells either of two stages fills, no more than half are filled
// alike; and no stage has three quarters of its own cells in another, which
// would be a small stage copied into a larger one. (Two unrelated stages of
// one height can share most of a small one's ground rows: not a copy.)
TEST(StageSet, NoStageIsANearCopyOfAnother) {
    const std::map<int, GameStage>& stages = ShippedStages();
    std::map<int, int> filled;
    for (const auto& [number, map] : stages)
        filled[number] = NonEmptyCells(map);
    for (auto a = stages.begin(); a != stages.end(); ++a) {
        for (auto b = std::next(a); b != stages.end(); ++b) {
            const int shared = SharedCells(a->second, b->second);
            const int either = filled[a->first] + filled[b->first] - shared;
            const int smaller = std::min(filled[a->first], filled[b->first]);
            EXPECT_LE(2 * shared, either)
                << "stages " << a->first << " and " << b->first << " share more than half";
            EXPECT_LE(4 * shared, 3 * smaller) << "stages " << a->first << " and " << b->first
                                               << ": one is mostly a copy inside the other";
        }
    }
}

// The tick at which a character's key script reaches the goal without a
// miss, or nothing.
std::optional<std::int64_t> ClearTick(int stage, int character) {
    const TempFolder folder;
    fs::create_directories(folder.Path() / "data");
    std::ofstream(folder.Path() / "Tovek.ini")
        << "[Customize]\nTitle=Tovek\nFolder=data\nChara=" << character << "\nTSpeed=0\n";
    const std::string file = FileStem(stage) + ".dat";
    fs::copy_file(kStageData / file, folder.Path() / "data" / file);
    const std::string script =
        FileStem(stage) + (character == 0 ? "" : ".chara" + std::to_string(character)) + ".keys";
    std::string error;
    const std::optional<std::vector<KeyEvent>> keys = ReadKeyScript(kStageSources / script, error);
    if (!keys) return std::nullopt;
    SimOptions options;
    options.dir = folder.Path();
    options.stage = stage;
    options.ticks = kLongestClear + 1;
    std::ostringstream lines, warnings;
    if (RunSimulation(options, *keys, lines, warnings, error) != 0) return std::nullopt;
    std::istringstream reader(lines.str());
    for (std::string line; std::getline(reader, line);) {
        if (line.find("\"stageCleared\": true") == std::string::npos) continue;
        if (line.find("\"misses\": 0,") == std::string::npos) return std::nullopt;
        return std::stoll(line.substr(line.find(':') + 1));
    }
    return std::nullopt;
}

TEST(StageSet, StagesLastAsLongAsAStageShould) {
    for (const Half& half : kHalves) {
        std::vector<std::int64_t> ticks;
        for (int stage = std::max(half.first, 4); stage <= half.last; ++stage) {
            if (!ShippedStages().contains(stage)) continue;
            // Every character's fastest way through lasts long enough; the
            // median is the default character's.
            for (int character = 0; character < 3; ++character) {
                const std::optional<std::int64_t> tick = ClearTick(stage, character);
                ASSERT_TRUE(tick) << "stage " << stage << " is not cleared by character "
                                  << character << "'s script within " << kLongestClear << " ticks";
                EXPECT_GE(*tick, kShortestClear)
                    << "stage " << stage << ", character " << character;
                if (character == 0) ticks.push_back(*tick);
            }
        }
        if (!HalfComplete(half)) continue;
        std::ranges::nth_element(ticks, ticks.begin() + ticks.size() / 2);
        EXPECT_GE(ticks[ticks.size() / 2], half.medianClear)
            << "median of stages " << std::max(half.first, 4) << ".." << half.last;
    }
}

}  // namespace
}  // namespace tovek::test
