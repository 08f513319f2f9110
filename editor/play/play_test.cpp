#include "editor/play/play_test.h"

#include <algorithm>
#include <array>
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

std::string CharacterName(int character) {
    static constexpr std::array<const char*, 3> kNames{"0 バランス型", "1 ジャンプ型", "2 重量型"};
    if (character < 0 || character >= static_cast<int>(kNames.size())) {
        return std::to_string(character);
    }
    return kNames[static_cast<std::size_t>(character)];
}

PlayTest::PlayTest(std::filesystem::path programFolder, tovek::GameClock& clock,
                   const tovek::PictureSheets& sheets, tovek::TextPainter* text)
    : programFolder_(std::move(programFolder)), clock_(clock), sheets_(sheets), text_(text) {}

void PlayTest::Start(const PlayStart& start) {
    replay_.reset();
    StartGame(start, clock_);
}

void PlayTest::StartReplay(const PlayStart& start, std::uint64_t seed,
                           std::vector<tovek::KeyEvent> keys) {
    std::stable_sort(
        keys.begin(), keys.end(),
        [](const tovek::KeyEvent& a, const tovek::KeyEvent& b) { return a.tick < b.tick; });
    replay_ = Replay{.keys = std::move(keys), .next = 0, .tick = 0};
    tickClock_ = TickClock();
    tickClock_.seed = seed;
    StartGame(start, tickClock_);
}

void PlayTest::StartGame(const PlayStart& start, tovek::GameClock& clock) {
    game_ = tovek::Game();
    ended_ = false;
    game_.programFolder = programFolder_;
    game_.services = {&clock, &sound_, &music_, nullptr, &records_};
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
    if (!replay_) tovek::Form_KeyDown(game_, keyCode);
}

void PlayTest::KeyUp(int keyCode) {
    if (!ended_ && !replay_) tovek::Form_KeyUp(game_, keyCode);
}

void PlayTest::Tick() {
    if (ended_) return;
    if (replay_) {
        const std::int64_t tick = ++replay_->tick;
        for (; replay_->next < replay_->keys.size() && replay_->keys[replay_->next].tick <= tick;
             ++replay_->next) {
            const tovek::KeyEvent& key = replay_->keys[replay_->next];
            if (key.down) {
                tovek::Form_KeyDown(game_, key.keyCode);
            } else {
                tovek::Form_KeyUp(game_, key.keyCode);
            }
        }
        tickClock_.milliseconds = tick * game_.tickInterval;
    }
    tovek::tmrMain_Timer(game_);
}

}  // namespace quorle
