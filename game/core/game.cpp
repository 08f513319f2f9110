#include "game/core/game.h"

namespace tovek {

Game::Game() : picMain(384, 256) {
    lblMain = {"ステージを左右キーで選んでスペースキーで決定", "サウンド: オン(Sキーで切り替え)"};
}

Game::~Game() = default;

}  // namespace tovek
