// The whole game in one session: stages/journey.keys, found by
// `tovek-solve --journey`, plays every stage from the first to the last
// without a miss and reaches the message that the stages are over.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <streambuf>
#include <string>

#include "common/stage_limits.h"
#include "common/stage_naming.h"
#include "game/sim/simulation.h"
#include "tests/support/temp_folder.h"

namespace tovek::test {
namespace {

namespace fs = std::filesystem;

const fs::path kStageData = TOVEK_STAGE_DATA;
const fs::path kStageSources = TOVEK_STAGE_SOURCES;

// Reads tovek-sim's state lines as they are written, keeping only what the
// test asks of them: a whole session prints hundreds of megabytes.
class StateLineScanner : public std::streambuf {
  public:
    std::set<int> clearedWithoutMiss;
    std::set<int> clearedAfterAMiss;
    std::string lastLine;

  protected:
    int_type overflow(int_type c) override {
        if (c == traits_type::eof()) return c;
        if (c != '\n') {
            line_.push_back(static_cast<char>(c));
            return c;
        }
        const bool cleared = line_.find("\"stageCleared\": true") != std::string::npos;
        if (cleared && !wasCleared_) {
            const int stage = std::stoi(line_.substr(line_.find("\"stageNumber\": ") + 15));
            const bool missed = line_.find("\"misses\": 0,") == std::string::npos;
            (missed ? clearedAfterAMiss : clearedWithoutMiss).insert(stage);
        }
        wasCleared_ = cleared;
        lastLine.swap(line_);
        line_.clear();
        return c;
    }

  private:
    std::string line_;
    bool wasCleared_ = false;
};

TEST(Journey, EveryStageFromTheFirstToTheLastInOneSession) {
    for (int stage = 1; stage <= kStageCount; ++stage) {
        if (!fs::exists(kStageData / ("m" + FormatStageNumber(stage) + ".dat"))) {
            GTEST_SKIP() << "stage " << stage << " is not made yet";
        }
    }
    std::string error;
    const auto keys = ReadKeyScript(kStageSources / "journey.keys", error);
    ASSERT_TRUE(keys && !keys->empty()) << error;

    const TempFolder folder;
    fs::create_directories(folder.Path() / "data");
    std::ofstream(folder.Path() / "Tovek.ini")
        << "[Customize]\nTitle=Tovek\nFolder=data\nChara=0\nTSpeed=0\n";
    for (const fs::directory_entry& file : fs::directory_iterator(kStageData)) {
        if (file.path().extension() == ".dat") {
            fs::copy_file(file.path(), folder.Path() / "data" / file.path().filename());
        }
    }
    SimOptions options;
    options.dir = folder.Path();
    options.stage = 1;
    options.ticks = keys->back().tick;
    StateLineScanner scanner;
    std::ostream lines(&scanner);
    std::ostringstream warnings;
    ASSERT_EQ(RunSimulation(options, *keys, lines, warnings, error), 0) << error;

    EXPECT_EQ(scanner.clearedWithoutMiss.size(), static_cast<std::size_t>(kStageCount));
    EXPECT_TRUE(scanner.clearedAfterAMiss.empty());
    EXPECT_NE(scanner.lastLine.find("\"status0\": \"ステージが最後まで終わりました。\""),
              std::string::npos)
        << scanner.lastLine.substr(0, 400);
}

}  // namespace
}  // namespace tovek::test
