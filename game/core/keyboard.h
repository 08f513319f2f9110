#pragma once

namespace tovek {

struct Game;

// Virtual-key codes the game reacts to.
enum KeyCode : int {
    kKeyEscape = 27,
    kKeySpace = 32,
    kKeyLeft = 37,
    kKeyUp = 38,
    kKeyRight = 39,
    kKeyDown = 40,
    kKeyS = 83,
};

void Form_KeyDown(Game& game, int keyCode);
void Form_KeyUp(Game& game, int keyCode);

void ToggleSound(Game& game);

// Wipes every per-play value and leaves play.
void ResetPlayState(Game& game);

}  // namespace tovek
