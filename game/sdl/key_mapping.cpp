#include "game/sdl/key_mapping.h"

#include "game/core/keyboard.h"

namespace tovek {

std::optional<int> VirtualKeyCode(SDL_Keycode key) {
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
