#include "game/sdl/key_mapping.h"

#include "game/core/keyboard.h"

namespace tovek {
namespace {

// The keypad's arrows, which SDL names by their digits whatever Num Lock says.
SDL_Keycode KeypadArrow(SDL_Keycode key) {
    switch (key) {
        case SDLK_KP_4:
            return SDLK_LEFT;
        case SDLK_KP_8:
            return SDLK_UP;
        case SDLK_KP_6:
            return SDLK_RIGHT;
        case SDLK_KP_2:
            return SDLK_DOWN;
        default:
            return key;
    }
}

}  // namespace

std::optional<int> VirtualKeyCode(SDL_Keycode key, Uint16 modifiers) {
    if ((modifiers & KMOD_NUM) == 0) key = KeypadArrow(key);
    switch (key) {
        case SDLK_LEFT:
            return kKeyLeft;
        case SDLK_UP:
            return kKeyUp;
        case SDLK_RIGHT:
            return kKeyRight;
        case SDLK_DOWN:
            return kKeyDown;
        case SDLK_SPACE:
            return kKeySpace;
        case SDLK_ESCAPE:
            return kKeyEscape;
        case SDLK_s:
            return kKeyS;
        default:
            return std::nullopt;
    }
}

}  // namespace tovek
