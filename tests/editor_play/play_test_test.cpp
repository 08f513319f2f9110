// The play-test drives the game's own core from the editor's document in
// memory: nothing is written, and its end screens return to the editor.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "common/file_access.h"
#include "common/sheets.h"
#include "editor/play/play_test.h"
#include "game/core/keyboard.h"
#include "tests/support/temp_folder.h"

namespace quorle {
namespace {

class FixedClock : public tovek::GameClock {
  public:
    int SecondsField() override { return 0; }
    std::uint64_t RandomSeed() override { return 7; }
};

// 12 x 8 with a floor on the bottom row, the start at (1, 6) and the goal at
// (4, 6); columns 8..11 have no floor.
tovek::EditorStage FlatStage() {
    tovek::EditorStage stage{.background = 0, .width = 12, .height = 8, .cells = {}};
    stage.cells.resize(12 * 8);
    const auto at = [&stage](int x, int y) -> tovek::MapCell& { return stage.cells[y * 12 + x]; };
    for (int x = 0; x < 8; ++x)
        at(x, 7).mainTile = 1;
    at(1, 6).mainTile = 16;
    at(4, 6).mainTile = 17;
    return stage;
}

std::set<std::filesystem::path> FilesIn(const std::filesystem::path& folder) {
    std::set<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        files.insert(entry.path());
    }
    return files;
}

class PlayTestGame : public ::testing::Test {
  protected:
    PlayTestGame() : sheets_(tovek::LoadPictureSheets()) {
        WriteSettings("Chara=0\nContinue=0\n");
        std::filesystem::create_directories(folder_.Path() / "data");
    }
    void WriteSettings(const std::string& lines) {
        std::ofstream(folder_.Path() / "Tovek.ini") << "[Customize]\nFolder=data\n" << lines;
    }
    // Ticks until `done` holds, at most `limit` ticks; whether it came.
    template <typename Done>
    bool TickUntil(Done done, int limit = 200) {
        for (int i = 0; i < limit && !done(); ++i)
            play_.Tick();
        return done();
    }

    tovek::test::TempFolder folder_;
    FixedClock clock_;
    tovek::PictureSheets sheets_;
    PlayTest play_{folder_.Path(), clock_, sheets_, nullptr};
};

TEST_F(PlayTestGame, PlaysTheDocumentToTheTallyAndWritesNothing) {
    const std::set<std::filesystem::path> before = FilesIn(folder_.Path());
    play_.Start({.stage = FlatStage(), .stageNumber = 7, .startCell = {}, .character = {}});
    const tovek::Game& game = play_.State();
    ASSERT_TRUE(game.inPlay);
    EXPECT_EQ(game.playerX, 32);
    EXPECT_EQ(game.playerY, 6 * 32);
    EXPECT_EQ(game.lblMain[0], "ステージ7");

    play_.KeyDown(tovek::kKeyRight);
    ASSERT_TRUE(TickUntil([&] { return game.stageCleared; }));
    EXPECT_EQ(game.lblMain[0], "ステージクリア!! スペースキーで次の面へ");
    play_.KeyUp(tovek::kKeyRight);
    play_.Tick();
    EXPECT_FALSE(play_.Ended());
    // Space on the tally goes back to the editor, not to stage 8.
    play_.KeyDown(tovek::kKeySpace);
    EXPECT_TRUE(play_.Ended());
    EXPECT_EQ(game.stageNumber, 7);
    EXPECT_EQ(FilesIn(folder_.Path()), before);
}

TEST_F(PlayTestGame, AMissShowsTheGameOverScreenAndSpaceReturnsInsteadOfContinuing) {
    play_.Start(
        {.stage = FlatStage(), .stageNumber = 1, .startCell = std::pair(10, 2), .character = {}});
    const tovek::Game& game = play_.State();
    EXPECT_EQ(game.playerX, 10 * 32);
    ASSERT_TRUE(TickUntil([&] { return game.gameOver; }));
    EXPECT_EQ(game.lblMain[0], "ゲームオーバー!! スペースキーでコンティニュー");
    play_.KeyDown(tovek::kKeySpace);
    EXPECT_TRUE(play_.Ended());
    EXPECT_EQ(game.misses, 0);
    play_.Tick();
    EXPECT_TRUE(game.gameOver);

    // Escape during play ends the play-test where it stands.
    play_.Start({.stage = FlatStage(), .stageNumber = 1, .startCell = {}, .character = {}});
    play_.KeyDown(tovek::kKeyEscape);
    EXPECT_TRUE(play_.Ended());
    EXPECT_TRUE(game.inPlay);
}

TEST_F(PlayTestGame, TheStartCellFollowsTheMirrorSettingsAndTheCharacterIsChosen) {
    WriteSettings("Chara=2\nHMirror=1\nVMirror=1\nTSpeed=2\n");
    play_.Start(
        {.stage = FlatStage(), .stageNumber = 1, .startCell = std::pair(2, 3), .character = {}});
    const tovek::Game& game = play_.State();
    EXPECT_EQ(game.playerX, (12 - 1 - 2) * 32);
    EXPECT_EQ(game.playerY, (8 - 1 - 3) * 32);
    EXPECT_EQ(game.character, 2);
    EXPECT_EQ(play_.TickInterval(), 40);

    play_.Start({.stage = FlatStage(), .stageNumber = 1, .startCell = {}, .character = 1});
    EXPECT_EQ(game.character, 1);
    EXPECT_EQ(game.constants.jumpImpulse, tovek::CharacterConstantsFor(1).jumpImpulse);
    EXPECT_EQ(game.playerX, (12 - 1 - 1) * 32);
}

// A route plays back as tovek-sim plays its keys: stage 1's script clears
// it without a miss, for each character.
TEST(PlayTestReplay, AKeyScriptPlaysBackExactlyAsTheSimulatorRunsIt) {
    const tovek::PictureSheets sheets = tovek::LoadPictureSheets();
    FixedClock clock;
    PlayTest play(TOVEK_DIST_FOLDER, clock, sheets, nullptr);
    const auto bytes =
        tovek::ReadFileBytes(std::filesystem::path(TOVEK_DIST_FOLDER) / "data/m01.dat");
    ASSERT_TRUE(bytes.has_value());
    for (const char* script : {"m01.keys", "m01.chara1.keys", "m01.chara2.keys"}) {
        SCOPED_TRACE(script);
        std::ifstream file(std::filesystem::path(TOVEK_SOURCE_DIR) / "stages" / script);
        ASSERT_TRUE(file.is_open());
        std::stringstream text;
        text << file.rdbuf();
        std::string error;
        const auto keys = tovek::ParseKeyScript(text.str(), script, error);
        ASSERT_TRUE(keys.has_value()) << error;
        const int character = script[4] == 'c' ? script[9] - '0' : 0;
        play.StartReplay({.stage = tovek::ReadEditorStage(*bytes),
                          .stageNumber = 1,
                          .startCell = {},
                          .character = character},
                         1, *keys);
        const tovek::Game& game = play.State();
        // The player's own keys do not disturb a replay.
        play.KeyDown(tovek::kKeyLeft);
        for (int tick = 0; tick < 4000 && !game.stageCleared; ++tick) {
            play.Tick();
            ASSERT_FALSE(game.dying || game.gameOver) << "a miss at tick " << tick + 1;
        }
        EXPECT_TRUE(game.stageCleared);
    }
}

}  // namespace
}  // namespace quorle
