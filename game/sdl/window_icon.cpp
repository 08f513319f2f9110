#include "game/sdl/window_icon.h"

#include <SDL_surface.h>
#include <stb_image.h>

#include <memory>
#include <span>

#include "window_icon_png.h"

namespace tovek {

IconPicture WindowIconPicture() {
    const std::span<const unsigned char> png = embedded::TovekIconPng();
    int width = 0;
    int height = 0;
    int channels = 0;
    constexpr int kRgba = 4;
    const std::unique_ptr<stbi_uc, void (*)(void*)> rgba(
        stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &width, &height, &channels,
                              kRgba),
        stbi_image_free);
    if (!rgba) return {};
    IconPicture icon{width, height, {}};
    icon.pixels.reserve(static_cast<std::size_t>(width) * height);
    for (int i = 0; i < width * height; ++i) {
        const stbi_uc* pixel = rgba.get() + kRgba * i;
        icon.pixels.push_back(static_cast<std::uint32_t>(pixel[3]) << 24 | pixel[0] << 16 |
                              pixel[1] << 8 | pixel[2]);
    }
    return icon;
}

void SetWindowIcon(SDL_Window* window, const IconPicture& icon) {
    if (icon.pixels.empty()) return;
    // SDL only reads the pixels: they stay ours.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint32_t*>(icon.pixels.data()), icon.width, icon.height, 32, icon.width * 4,
        SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) return;
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

}  // namespace tovek
