#include "editor/play/play_test.h"

#include <utility>

#include "game/core/keyboard.h"
#include "game/core/main_tick.h"
#include "game/core/stage_loading.h"
#include "game/core/startup.h"

namespace quorle {
namespace {

// The editor's cell in the map as the game loads it, mirrored or not.
tovek::StartCell GameCell(const tovek::GameStage& stage, std::pair<int, int> cell, bool mirrorH,
                          bool mirrorV) {
    const int column = mirrorH ? stage.mapWidth - 1 - cell.first : cell.first;
    const int row = mirrorV ? stage.mapHeight - 1 - cell.second : cell.second;
    return {static_cast<std::int16_t>(column), static_cast<std::int16_t>(row)};
}

}  // namespace

PlayTest::PlayTest(std::filesystem::path programFolder, tovek::GameClock& clock,
                   const tovek::PictureSheets& sheets, tovek::TextPainter* text)
    : programFolder_(std::move(programFolder)), clock_(clock), sheets_(sheets), text_(text) {}

void PlayTest::Start(const PlayStart& start) {
    game_ = tovek::Game();
    ended_ = false;
    game_.programFolder = programFolder_;
    game_.services = {&clock_, &sound_, &music_, nullptr, &records_};
    game_.drawPixels = text_ != nullptr;
    game_.sheets = sheets_;
    game_.text = text_;
    tovek::Form_Load(game_);
    if (start.character) {
        game_.character = static_cast<std::int16_t>(*start.character);
        tovek::SetCharacterParameters(game_);
    }
    std::optional<tovek::GameStage> stage =
        tovek::GameStageFromEditorStage(start.stage, game_.mirrorHorizontal, game_.mirrorVertical);
    if (!stage) {
        ended_ = true;
        return;
    }
    if (start.startCell) {
        stage->start =
            GameCell(*stage, *start.startCell, game_.mirrorHorizontal, game_.mirrorVertical);
    }
    // The stage select is never shown: its first focus counts as done.
    game_.stageSelectShown = true;
    game_.stageNumber = static_cast<std::int16_t>(start.stageNumber);
    tovek::StartStage(game_, start.stageNumber, *stage);
}

void PlayTest::KeyDown(int keyCode) {
    if (ended_) return;
    const bool onEndScreen = game_.gameOver || game_.stageCleared;
    if (keyCode == tovek::kKeyEscape || (keyCode == tovek::kKeySpace && onEndScreen)) {
        ended_ = true;
        return;
    }
    tovek::Form_KeyDown(game_, keyCode);
}

void PlayTest::KeyUp(int keyCode) {
    if (!ended_) tovek::Form_KeyUp(game_, keyCode);
}

void PlayTest::Tick() {
    if (!ended_) tovek::tmrMain_Timer(game_);
}

}  // namespace quorle
