#include "game/sdl/video_session.h"

#include <SDL.h>

namespace tovek {

VideoSession::VideoSession() {
    // The window's surface is the platform's own framebuffer, not an OpenGL
    // texture: the same exact pixels without loading a GL driver.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A game in a window leaves the desktop's compositor alone.
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    started_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (started_) SDL_EventState(SDL_MOUSEMOTION, SDL_IGNORE);
}

VideoSession::~VideoSession() {
    if (started_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
}

}  // namespace tovek
