#include "tests/game/game_fixture.h"

#include <fstream>
#include <map>
#include <random>

#include "common/coded_stream.h"
#include "common/random_source.h"
#include "common/stage_naming.h"
#include "game/core/keyboard.h"
#include "game/core/main_tick.h"
#include "game/core/startup.h"

namespace tovek::testing {

EditorStage StageFromText(const std::vector<std::string>& rows,
                          const std::vector<Placement>& objects, int background) {
    static const std::map<char, MapCell> legend = {
        {'.', {0, 0, 0, 0}},   {'#', {1, 0, 0, 0}},   {'=', {2, 0, 0, 0}},  {'?', {7, 0, 0, 0}},
        {'F', {8, 0, 0, 0}},   {'H', {9, 0, 0, 0}},   {'b', {10, 0, 0, 0}}, {'L', {11, 0, 0, 0}},
        {'S', {16, 0, 0, 0}},  {'P', {16, 0, 0, 25}}, {'G', {17, 0, 0, 0}}, {'c', {18, 0, 0, 0}},
        {'C', {19, 0, 0, 0}},  {'k', {20, 0, 0, 0}},  {'s', {21, 0, 0, 0}}, {'K', {22, 0, 0, 0}},
        {'x', {23, 0, 0, 0}},  {'O', {24, 0, 0, 0}},  {'d', {27, 0, 0, 0}}, {'~', {0, 0, 0, 25}},
        {'w', {18, 0, 0, 25}}, {'v', {32, 0, 0, 0}},  {'^', {48, 0, 0, 0}}, {'V', {33, 0, 0, 0}},
        {'A', {49, 0, 0, 0}},
    };
    EditorStage stage;
    stage.background = background;
    stage.height = static_cast<int>(rows.size());
    stage.width = static_cast<int>(rows.front().size());
    for (const std::string& row : rows) {
        for (const char c : row)
            stage.cells.push_back(legend.at(c));
    }
    for (const Placement& object : objects) {
        MapCell& cell = stage.cells[object.column + object.row * stage.width];
        if (object.actorCode != 0) cell.actorCode = static_cast<std::uint8_t>(object.actorCode);
        if (object.liftCode != 0) cell.liftCode = static_cast<std::uint8_t>(object.liftCode);
    }
    return stage;
}

GameTest::GameTest() {
    std::random_device entropy;
    folder_ =
        std::filesystem::temp_directory_path() / ("tovek-game-test-" + std::to_string(entropy()));
    std::filesystem::create_directories(folder_ / "data");
    game_.programFolder = folder_;
    game_.services = {&clock_, &sound_, &music_, nullptr, &records_};
}

GameTest::~GameTest() {
    std::filesystem::remove_all(folder_);
}

void GameTest::WriteSettings(const std::string& lines) {
    std::ofstream(folder_ / "Tovek.ini") << "[Customize]\n" << lines;
}

void GameTest::WriteStage(int number, const EditorStage& stage) {
    RandomSource random(number);
    const auto bytes = WriteEditorStage(stage, DrawKeyMaterial(random));
    std::ofstream file(StageFilePath(folder_ / "data", number), std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

void GameTest::WriteMusicFile() {
    std::ofstream(folder_ / "Tovek.mid") << "MThd";
}

void GameTest::StartGame() {
    Form_Load(game_);
    picMain_GotFocus(game_);
}

void GameTest::Play(const std::vector<std::string>& rows, const std::vector<Placement>& objects) {
    WriteStage(1, StageFromText(rows, objects));
    StartGame();
    Press(kKeySpace);
    ASSERT_TRUE(game_.inPlay);
}

void GameTest::Tick(int count) {
    for (int i = 0; i < count; ++i) {
        ++tick_;
        clock_.SetTime(tick_, game_.tickInterval);
        tmrMain_Timer(game_);
    }
}

void GameTest::Press(int keyCode) {
    Form_KeyDown(game_, keyCode);
}
void GameTest::Release(int keyCode) {
    Form_KeyUp(game_, keyCode);
}

}  // namespace tovek::testing
