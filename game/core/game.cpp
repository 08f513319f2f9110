#include "game/core/game.h"

namespace tovek {

Game::Game() : picMain(384, 256) {
    lblMain = {"ステージを左右キーで選んでスペースキーで決定", "サウンド: オン(Sキーで切り替え)"};
}

Game::~Game() = default;

void Game::TakeSnapshot(GameSnapshot& snapshot) const {
    snapshot.play = static_cast<const PlayState&>(*this);
    snapshot.stage = static_cast<const StageState&>(*this);
    snapshot.session = static_cast<const SessionState&>(*this);
}

void Game::Restore(const GameSnapshot& snapshot) {
    static_cast<PlayState&>(*this) = snapshot.play;
    static_cast<StageState&>(*this) = snapshot.stage;
    static_cast<SessionState&>(*this) = snapshot.session;
}

}  // namespace tovek
