// Real writers killed at random moments: the file they write is always the
// complete old or new one, and the next write leaves no temporary file.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "common/file_access.h"
#include "common/high_score_file.h"
#include "common/random_source.h"
#include "common/stage_file.h"
#include "game/core/record_store.h"
#include "tests/support/child_process.h"
#include "tests/support/scrambled_bytes.h"
#include "tests/support/stage_maps.h"
#include "tests/support/temp_folder.h"

namespace tovek {
namespace {

namespace fs = std::filesystem;
using std::chrono::microseconds;

constexpr int kKills = 200;

std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Starts the program, kills it after `delay` (if it still runs) and waits
// for its end; true when the kill came before the program ended.
bool RunAndKill(const std::vector<std::string>& argv, microseconds delay) {
    test::ChildProcess child(argv, {}, true);
    EXPECT_TRUE(child.Started());
    std::this_thread::sleep_for(delay);
    const bool killed = child.Running() && ::kill(child.Pid(), SIGKILL) == 0;
    EXPECT_TRUE(child.WaitForExit(std::chrono::seconds(30)).has_value());
    return killed;
}

TEST(KilledWriters, RecordsAreAlwaysTheWholeOldOrNewTable) {
    test::TempFolder folder;
    const fs::path file = folder.Path() / "hscore.dat";
    std::mt19937 random(18);
    std::int32_t last = 0;
    int leftTemporaries = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        ASSERT_TRUE(
            RunAndKill({RECORD_WRITER_PATH, folder.Path().string(), std::to_string(last + 1)},
                       microseconds(std::uniform_int_distribution<int>(0, 20000)(random))));
        if (!fs::exists(file)) continue;  // killed before its first write
        const std::vector<std::uint8_t> bytes = ReadFileBytes(file).value();
        ASSERT_EQ(bytes.size(), kHighScoreFileBytes) << "kill " << kill;
        const HighScoreTable table = ReadHighScores(bytes);
        ASSERT_TRUE(std::all_of(table.begin(), table.end(), [&](int r) { return r == table[0]; }))
            << "kill " << kill;
        ASSERT_GE(table[0], last) << "kill " << kill;
        last = table[0];
        leftTemporaries += Entries(folder.Path()).size() > 1;

        ASSERT_FALSE(RecordFile().Save(folder.Path(), table, KeyMaterial{1, 3}));
        ASSERT_EQ(Entries(folder.Path()), std::vector<std::string>{"hscore.dat"});
    }
    RecordProperty("killsThatLeftATemporary", leftTemporaries);
    std::printf("%d of %d kills left a temporary file, each removed by the next write\n",
                leftTemporaries, kKills);
}

// The JSON text of a stage, as stagetool encode reads it.
std::string StageDocument(const EditorStage& stage) {
    std::string json = "{\"background\": " + std::to_string(stage.background) +
                       ", \"width\": " + std::to_string(stage.width) +
                       ", \"height\": " + std::to_string(stage.height) + ", \"cells\": [";
    for (int y = 0; y < stage.height; ++y) {
        json += y ? ",[" : "[";
        for (int x = 0; x < stage.width; ++x) {
            const MapCell& c = stage.cells[static_cast<std::size_t>(y * stage.width + x)];
            json += (x ? ",[" : "[") + std::to_string(c.mainTile) + "," +
                    std::to_string(c.actorCode) + "," + std::to_string(c.liftCode) + "," +
                    std::to_string(c.water) + "]";
        }
        json += "]";
    }
    return json + "]}\n";
}

TEST(KilledWriters, AStageIsAlwaysTheWholeOldOrNewFile) {
    test::TempFolder folder;
    RandomSource stages(4);
    std::vector<std::vector<std::uint8_t>> versions;
    std::vector<std::string> documents;
    for (int i = 0; i < 2; ++i) {
        const EditorStage stage = test::RandomEditorStage(stages, 120, 60);
        documents.push_back((folder.Path() / ("v" + std::to_string(i) + ".json")).string());
        test::WriteFile(documents.back(), StageDocument(stage));
        RandomSource keys(kEditorRandomSeed);
        versions.push_back(WriteEditorStage(stage, DrawKeyMaterial(keys)));
    }
    const fs::path work = folder.Path() / "stages";
    fs::create_directory(work);
    const fs::path out = work / "m01.dat";
    const auto encode = [&](int version) {
        return std::vector<std::string>{STAGETOOL_PATH, "encode", documents[version], out.string()};
    };
    const auto started = std::chrono::steady_clock::now();
    test::ChildProcess timed(encode(0), {}, true);
    ASSERT_EQ(timed.WaitForExit(std::chrono::seconds(60)), 0);
    const auto runTime =
        std::chrono::duration_cast<microseconds>(std::chrono::steady_clock::now() - started);

    std::mt19937 random(18);
    int killed = 0;
    int leftTemporaries = 0;
    // Runs that end before the kill do not count.
    for (int run = 0; killed < kKills && run < 4 * kKills; ++run) {
        killed += RunAndKill(encode(run % 2), microseconds(std::uniform_int_distribution<long>(
                                                  0, runTime.count())(random)));
        const std::vector<std::uint8_t> bytes = ReadFileBytes(out).value();
        ASSERT_TRUE(bytes == versions[0] || bytes == versions[1]) << "run " << run;
        leftTemporaries += Entries(work).size() > 1;
    }
    EXPECT_EQ(killed, kKills);
    test::ChildProcess last(encode(1), {}, true);
    ASSERT_EQ(last.WaitForExit(std::chrono::seconds(60)), 0);
    EXPECT_EQ(ReadFileBytes(out), versions[1]);
    EXPECT_EQ(Entries(work), std::vector<std::string>{"m01.dat"});
    std::printf("%d kills, %d left a temporary file until the next write\n", killed,
                leftTemporaries);
}

}  // namespace
}  // namespace tovek
