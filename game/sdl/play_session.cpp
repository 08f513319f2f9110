#include "game/sdl/play_session.h"

#include "game/core/game.h"
#include "game/core/keyboard.h"
#include "game/core/main_tick.h"

namespace tovek {

PlaySession::PlaySession(Game& game, LocalClock& clock, HeldMusic& music)
    : game_(game), clock_(clock), music_(music) {}

void PlaySession::Press(int gameKey, InputSource source) {
    delivery_.Press(gameKey, source);
    Form_KeyDown(game_, gameKey);
    EndPauseWithoutPlay();
}

void PlaySession::Repeat(int gameKey) {
    Form_KeyDown(game_, gameKey);
    EndPauseWithoutPlay();
}

void PlaySession::Release(int gameKey, InputSource source) {
    if (delivery_.Release(gameKey, source)) Form_KeyUp(game_, gameKey);
}

void PlaySession::Tick() {
    if (paused_) return;
    tmrMain_Timer(game_);
    for (const int gameKey : delivery_.TickRan())
        Form_KeyUp(game_, gameKey);
}

bool PlaySession::CanPause() const {
    return game_.inPlay && !game_.gameOver && !game_.stageCleared;
}

void PlaySession::Pause() {
    if (paused_ || !CanPause()) return;
    paused_ = true;
    clock_.Stop();
    music_.Hold();
}

void PlaySession::Resume() {
    if (!paused_) return;
    paused_ = false;
    clock_.Resume();
    music_.Release();
}

void PlaySession::TogglePause() {
    if (paused_) {
        Resume();
    } else {
        Pause();
    }
}

void PlaySession::EndPauseWithoutPlay() {
    if (paused_ && !CanPause()) Resume();
}

}  // namespace tovek
