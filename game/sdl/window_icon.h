#pragma once

#include <SDL_video.h>

#include <cstdint>
#include <vector>

namespace tovek {

// The window's icon: the game's own 64-pixel program icon, 0xAARRGGBB a
// pixel, rows top to bottom. Empty if the built-in picture cannot be read
// (which the tests rule out).
struct IconPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

IconPicture WindowIconPicture();

// Gives the window the icon; a window without one keeps the system's.
void SetWindowIcon(SDL_Window* window, const IconPicture& icon);

}  // namespace tovek
