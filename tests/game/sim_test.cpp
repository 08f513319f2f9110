// tovek-sim as a program: its command line, its output and its files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "common/coded_stream.h"
#include "common/random_source.h"
#include "common/stage_naming.h"
#include "game/sim/sim_options.h"
#include "tests/game/game_fixture.h"

namespace tovek::testing {
namespace {

struct SimRun {
    int status;
    std::vector<std::string> lines;
    std::string errors;
};

class SimTest : public ::testing::Test {
  protected:
    SimTest() {
        std::random_device entropy;
        dir_ = std::filesystem::temp_directory_path() /
               ("tovek-sim-test-" + std::to_string(entropy()));
        std::filesystem::create_directories(dir_ / "data");
    }
    ~SimTest() override { std::filesystem::remove_all(dir_); }

    void WriteStage(int number, const std::vector<std::string>& rows) {
        RandomSource random(7);
        const auto bytes = WriteEditorStage(StageFromText(rows), DrawKeyMaterial(random));
        std::ofstream(StageFilePath(dir_ / "data", number), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    std::filesystem::path WriteFile(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return dir_ / name;
    }

    SimRun Sim(const std::string& arguments) {
        const std::string errors = (dir_ / "stderr.txt").string();
        const std::string command = std::string(TOVEK_SIM_PATH) + " " + arguments + " 2>" + errors;
        SimRun run{};
        FILE* pipe = popen(command.c_str(), "r");
        std::string output;
        std::array<char, 65536> buffer{};
        std::size_t count = 0;
        while ((count = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
            output.append(buffer.data(), count);
        }
        const int status = pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::istringstream lines(output);
        for (std::string line; std::getline(lines, line);)
            run.lines.push_back(line);
        std::ifstream errorFile(errors);
        std::getline(errorFile, run.errors, '\0');
        return run;
    }

    std::string Dir() const { return "--dir " + dir_.string(); }

    std::filesystem::path dir_;
};

const std::vector<std::string> kStage = {
    "............", "............", "............", "............",
    "............", "............", "S..c..G.....", "############",
};

// The object keys of a state line, in order: every "name": outside strings.
std::vector<std::string> KeysOf(const std::string& line) {
    std::vector<std::string> keys;
    for (std::size_t at = line.find('"'); at != std::string::npos;) {
        const std::size_t close = line.find('"', at + 1);
        if (close == std::string::npos) break;
        if (line.compare(close + 1, 2, ": ") == 0)
            keys.push_back(line.substr(at + 1, close - at - 1));
        at = line.find('"', close + 1);
    }
    return keys;
}

TEST_F(SimTest, UsageErrorsExitWithTwoAndOneLine) {
    const std::vector<std::string> mistakes = {std::string(""),
                                               Dir(),
                                               Dir() + " --stage 0",
                                               Dir() + " --stage 101",
                                               Dir() + " --stage x",
                                               Dir() + " --stage 1 --ticks -1",
                                               Dir() + " --stage 1 --every 0",
                                               Dir() + " --stage 1 --fast",
                                               Dir() + " --stage 1 --ticks",
                                               "--dir /no/such/folder --stage 1",
                                               Dir() + " --stage 1 --keys /no/such/file"};
    for (const std::string& arguments : mistakes) {
        const SimRun run = Sim(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_TRUE(run.lines.empty()) << arguments;
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << arguments;
    }
}

TEST_F(SimTest, MalformedKeyLineIsNamed) {
    const auto keys = WriteFile("keys.txt", "# comment\n\n1 down Right\n2 press Left\n");
    const SimRun run = Sim(Dir() + " --stage 1 --keys " + keys.string());
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find(":4:"), std::string::npos) << run.errors;
}

// A malformed line is quoted short, with control bytes shown as escapes, so
// that a huge or binary file gives one readable line.
TEST(KeyScript, QuotesAMalformedLineShortWithControlBytesEscaped) {
    std::string error;
    std::string line = "9 down \x1b[2J";
    line += '\0';
    line += std::string(5'000'000, 'x');
    EXPECT_FALSE(ParseKeyScript("1 down Left\n" + line + "\n", "k.txt", error));
    EXPECT_EQ(error,
              "k.txt:2: expected \"TICK down|up KEY\" (TICK >= 1, KEY one of Left Right Up Down "
              "Space Escape S), got: \"9 down \\x1b[2J\\x00" +
                  std::string(68, 'x') + "\"...");
}

// Editors on some systems start a text file with a byte-order mark.
TEST(KeyScript, ReadsAFileThatStartsWithAByteOrderMark) {
    std::string error;
    const auto events = ParseKeyScript(
        "\xEF\xBB\xBF"
        "3 down Right\n4 up Right\n",
        "k", error);
    ASSERT_TRUE(events) << error;
    ASSERT_EQ(events->size(), 2u);
    EXPECT_EQ((*events)[0].tick, 3);
    EXPECT_FALSE(
        ParseKeyScript("1 down Left\n\xEF\xBB\xBF"
                       "3 down Right\n",
                       "k", error));
}

// Input that cannot be read and output that cannot be written are failures,
// each named on one line.
TEST_F(SimTest, UnreadableKeysAndUnwritableStateLinesFail) {
    WriteStage(1, kStage);
    const std::filesystem::path pipe = dir_ / "keys.fifo";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    const SimRun fromPipe = Sim(Dir() + " --stage 1 --keys " + pipe.string());
    EXPECT_EQ(fromPipe.status, 2);
    EXPECT_EQ(fromPipe.errors,
              "tovek-sim: cannot read the keys file " + pipe.string() + ": not a regular file\n");
    const SimRun fromFolder = Sim(Dir() + " --stage 1 --keys " + dir_.string());
    EXPECT_EQ(fromFolder.status, 2);

    const SimRun full = Sim(Dir() + " --stage 1 --ticks 2000 >/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.errors, "tovek-sim: cannot write the state lines: No space left on device\n");
    const SimRun closed = Sim(Dir() + " --stage 1 --ticks 3 >&-");
    EXPECT_EQ(closed.status, 1);
    EXPECT_EQ(closed.errors, "tovek-sim: cannot write the state lines: Bad file descriptor\n");
}

TEST_F(SimTest, MissingStageBehavesAsInTheGame) {
    const SimRun run = Sim(Dir() + " --stage 5 --ticks 3");
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 4u);
    EXPECT_NE(run.lines[0].find("\"inPlay\": false"), std::string::npos);
    EXPECT_NE(run.lines[0].find("\"status0\": \"データ5にはデータがありません。\""),
              std::string::npos);
}

TEST_F(SimTest, StateLinesCarryTheContractKeysInOrder) {
    WriteStage(1, kStage);
    const SimRun run = Sim(Dir() + " --stage 1 --ticks 2 --map");
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 3u);
    const std::vector<std::string> keys = {
        "tick",       "inPlay",     "gameOver",       "stageCleared", "stageNumber",
        "playerX",    "playerY",    "playerSpeedX",   "playerSpeedY", "playerFacing",
        "playerStep", "airborne",   "dying",          "deathY",       "graceTicks",
        "warpTicks",  "inWater",    "springJump",     "hoverTicks",   "score",
        "misses",     "chainCount", "elapsedSeconds", "startX",       "startY",
        "powerUps",   "status0",    "status1",        "caption",      "sound",
        "music",      "lifts",      "actors"};
    std::vector<std::string> withMap = keys;
    for (const char* key : {"mapWidth", "mapHeight", "stageBackground", "tileMap", "waterMap"}) {
        withMap.push_back(key);
    }
    EXPECT_EQ(KeysOf(run.lines[0]), withMap);
    EXPECT_EQ(KeysOf(run.lines[1]), keys);
    EXPECT_NE(run.lines[0].find("\"tileMap\": [[0, 0, 0,"), std::string::npos);
}

TEST_F(SimTest, ReachesTheGoalAndStoresTheRecord) {
    WriteStage(1, kStage);
    const auto keys = WriteFile("keys.txt", "1 down Right\n");
    const SimRun run = Sim(Dir() + " --stage 1 --ticks 40 --every 10 --keys " + keys.string());
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 5u);  // ticks 0, 10, 20, 30, 40
    EXPECT_NE(run.lines.back().find("\"stageCleared\": true"), std::string::npos);
    // The goal at tick 20 (1.6 s, one observed second): coin 10 + bonus 600 - 600 / 15.
    EXPECT_NE(run.lines.back().find("\"score\": 570"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "data" / "hscore.dat"));
}

TEST_F(SimTest, RecordThatCannotBeWrittenIsNamedOnStderr) {
    WriteStage(1, kStage);
    std::filesystem::create_directories(dir_ / "data" / "hscore.dat");
    const auto keys = WriteFile("keys.txt", "1 down Right\n");
    const SimRun run = Sim(Dir() + " --stage 1 --ticks 40 --every 40 --keys " + keys.string());
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.lines.back().find("\"stageCleared\": true"), std::string::npos);
    EXPECT_NE(run.errors.find("tovek-sim: the new record cannot be saved to"), std::string::npos)
        << run.errors;
    EXPECT_NE(run.errors.find("hscore.dat: not a regular file"), std::string::npos) << run.errors;
}

TEST_F(SimTest, SameSeedSameRun) {
    WriteStage(1, {"............", "............", "............", "............", "..??..??....",
                   "............", "S...........", "############"});
    const auto keys = WriteFile("keys.txt", "1 down Right\n1 down Up\n30 up Up\n");
    const std::string arguments = Dir() + " --stage 1 --ticks 60 --seed 42 --keys " + keys.string();
    EXPECT_EQ(Sim(arguments).lines, Sim(arguments).lines);
}

TEST_F(SimTest, FramesAreWrittenForPrintedTicks) {
    WriteStage(1, kStage);
    const std::filesystem::path frames = dir_ / "frames";
    const SimRun run = Sim(Dir() + " --stage 1 --ticks 4 --every 2 --frames " + frames.string());
    ASSERT_EQ(run.status, 0) << run.errors;
    for (const char* name : {"000000.png", "000002.png", "000004.png"}) {
        EXPECT_TRUE(std::filesystem::exists(frames / name)) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(frames / "000001.png"));

    std::filesystem::create_directory(frames / "000006.png");
    const SimRun blocked =
        Sim(Dir() + " --stage 1 --ticks 6 --every 2 --frames " + frames.string());
    EXPECT_EQ(blocked.status, 1);
    EXPECT_EQ(blocked.errors, "tovek-sim: cannot write " + (frames / "000006.png").string() +
                                  ": not a regular file\n");
}

}  // namespace
}  // namespace tovek::testing
