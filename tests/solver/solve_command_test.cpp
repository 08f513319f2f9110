// tovek-solve as a program: its command line, its answer and its keys file.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tests/game/game_fixture.h"

namespace tovek::testing {
namespace {

struct CommandRun {
    int status = -1;
    std::string output;
    std::string errors;
};

class SolveCommandTest : public GameTest {
  protected:
    CommandRun Solve(const std::string& arguments) {
        const std::string errors = (folder_ / "stderr.txt").string();
        const std::string command =
            std::string(TOVEK_SOLVE_PATH) + " " + arguments + " 2>" + errors;
        CommandRun run;
        FILE* pipe = popen(command.c_str(), "r");
        std::array<char, 4096> buffer{};
        for (std::size_t count; (count = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
            run.output.append(buffer.data(), count);
        }
        const int status = pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::ifstream errorFile(errors);
        std::getline(errorFile, run.errors, '\0');
        return run;
    }

    std::string Dir() const { return "--dir " + folder_.string(); }
};

TEST_F(SolveCommandTest, UsageErrorsExitWithTwoAndOneLine) {
    WriteStage(1, StageFromText({"............", "............", "............", "............",
                                 "............", "............", "S.....G.....", "############"}));
    const std::vector<std::string> mistakes = {
        "",
        Dir(),
        Dir() + " --stage 101",
        Dir() + " --stage 1 --chara 3",
        Dir() + " --stage 1 --threads 0",
        Dir() + " --stage 1 --budget -5",
        Dir() + " --stage 1 --seed x",
        Dir() + " --stage 1 --quick",
        Dir() + " --stage 1 --keys",
        "--dir /no/such/folder --stage 1",
        Dir() + " --stage 2",  // no stage file: nothing to search
    };
    for (const std::string& arguments : mistakes) {
        const CommandRun run = Solve(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_TRUE(run.output.empty()) << arguments;
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << arguments;
    }
}

TEST_F(SolveCommandTest, AClearIsAnsweredAndWrittenAsAKeysFile) {
    WriteStage(1, StageFromText({"............", "............", "............", "............",
                                 "............", "............", "S.....G.....", "############"}));
    const std::filesystem::path keys = folder_ / "m01.keys";
    const CommandRun run = Solve(Dir() + " --stage 1 --chara 2 --seed 7 --keys " + keys.string());
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.output.rfind("{\"stage\": 1, \"chara\": 2, \"seed\": 7, \"cleared\": true, "
                               "\"tick\": ",
                               0),
              0u)
        << run.output;
    EXPECT_NE(run.output.find("\"closest\": {\"tick\": "), std::string::npos);
    std::ifstream file(keys);
    std::string first;
    std::getline(file, first);
    EXPECT_EQ(first, "# tovek-solve: stage 1, character 2, seed 7");
    std::string last;
    for (std::string line; std::getline(file, line);)
        last = line;
    EXPECT_NE(last.find(" up Right"), std::string::npos) << "the held key is let go";
}

TEST_F(SolveCommandTest, NoWayExitsWithOneAndWritesNoKeys) {
    WriteStage(1, StageFromText({"............", "............", "............", "....##......",
                                 "....##......", "....##......", "S...##...G..", "############"}));
    const std::filesystem::path keys = folder_ / "m01.keys";
    const CommandRun run = Solve(Dir() + " --stage 1 --budget 20000 --keys " + keys.string());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("\"cleared\": false, \"tick\": null, \"score\": null, "
                              "\"ticksSimulated\": "),
              std::string::npos)
        << run.output;
    EXPECT_FALSE(std::filesystem::exists(keys));
}

}  // namespace
}  // namespace tovek::testing
