#include "game/sdl/game_window.h"

#include <SDL.h>

#include <algorithm>

#include "game/core/colours.h"
#include "game/sdl/status_labels.h"
#include "game/sdl/window_icon.h"

namespace tovek {
namespace {

// Our Surface's pixel layout: 0x00RRGGBB in 32 bits.
constexpr Uint32 kSurfaceFormat = SDL_PIXELFORMAT_XRGB8888;
constexpr Uint32 kWakeUpSettleMs = 50;

bool Overlap(const ClientRect& a, const ClientRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

}  // namespace

std::unique_ptr<GameWindow> GameWindow::Create(const std::string& caption, TextPainter& labelFont,
                                               std::optional<Scaling> scaling, std::string* error) {
    SDL_Window* window =
        SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                         kNormalClientWidth, kNormalClientHeight, SDL_WINDOW_RESIZABLE);
    if (window == nullptr) {
        if (error != nullptr) *error = SDL_GetError();
        return nullptr;
    }
    SDL_SetWindowMinimumSize(window, kNormalClientWidth, kNormalClientHeight);
    SetWindowIcon(window, WindowIconPicture());
    std::unique_ptr<GameWindow> gameWindow(new GameWindow(window, labelFont));
    gameWindow->caption_ = caption;
    gameWindow->scaling_ = scaling;
    gameWindow->Resize();
    return gameWindow;
}

GameWindow::GameWindow(SDL_Window* window, TextPainter& labelFont)
    : window_(window), labelFont_(labelFont) {}

GameWindow::~GameWindow() {
    // SDL wakes its own event wait by sending this window a message over a
    // second X connection, one of them for the close request itself. If the
    // window is gone before the X server takes that message in, the request
    // fails and Xlib ends the program at exit; a moment's pause lets it in.
    SDL_Delay(kWakeUpSettleMs);
    SDL_DestroyWindow(window_);
}

void GameWindow::Resize() {
    int width = 0;
    int height = 0;
    if (SDL_Surface* surface = SDL_GetWindowSurface(window_)) {
        width = surface->w;
        height = surface->h;
    } else {
        SDL_GetWindowSize(window_, &width, &height);
    }
    layout_ = LayOutClientArea(width, height, ScalingFor(State(width, height), scaling_));
    client_ = Surface(layout_.clientWidth, layout_.clientHeight, kWindowBackColour);
    DrawLabel(0);
    DrawLabel(1);
    showWholeClient_ = true;
}

WindowState GameWindow::State(int clientWidth, int clientHeight) const {
    const Uint32 flags = SDL_GetWindowFlags(window_);
    if ((flags & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP) {
        return WindowState::Fullscreen;
    }
    const bool reportedMaximised = (flags & SDL_WINDOW_MAXIMIZED) != 0;
    return TreatAsMaximised(reportedMaximised, clientWidth, clientHeight) ? WindowState::Maximised
                                                                          : WindowState::Normal;
}

void GameWindow::ToggleFullscreen() {
    const bool fullscreen = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
                            SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_SetWindowFullscreen(window_, fullscreen ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void GameWindow::PresentFrame(const Surface& picMain) {
    const ClientRect& picture = layout_.picture;
    if (layout_.stretched) {
        if (picture.width > 0 && picture.height > 0) {
            StretchBlt(client_, picture.x, picture.y, picture.width, picture.height, picMain, 0, 0,
                       picMain.Width(), picMain.Height(), RasterOp::SrcCopy);
        }
    } else {
        BitBlt(client_, picture.x, picture.y, picture.width, picture.height, picMain, 0, 0,
               RasterOp::SrcCopy);
    }
    // In a window too low for both, the labels stay in front of the picture.
    if (Overlap(picture, layout_.labels[0]) || Overlap(picture, layout_.labels[1])) {
        DrawLabel(0);
        DrawLabel(1);
        showWholeClient_ = true;
    }
    if (showWholeClient_) {
        Repaint();
    } else {
        Show(picture);
    }
}

void GameWindow::ShowLabels(const std::array<std::string, 2>& texts) {
    for (int i = 0; i < 2; ++i) {
        if (texts[i] == labels_[i]) continue;
        labels_[i] = texts[i];
        DrawLabel(i);
        Show(layout_.labels[i]);
    }
}

void GameWindow::ShowCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    SDL_SetWindowTitle(window_, caption_.c_str());
}

void GameWindow::Repaint() {
    showWholeClient_ = false;
    Show({0, 0, layout_.clientWidth, layout_.clientHeight});
}

void GameWindow::DrawLabel(int index) {
    DrawStatusLabel(client_, layout_.labels[index], labelFont_, labels_[index],
                    layout_.labelPoints);
}

void GameWindow::Show(const ClientRect& rect) {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr) return;
    // The window may already have another size; its resize event follows.
    const int left = std::max(rect.x, 0);
    const int top = std::max(rect.y, 0);
    const int right = std::min({rect.x + rect.width, client_.Width(), surface->w});
    const int bottom = std::min({rect.y + rect.height, client_.Height(), surface->h});
    if (right <= left || bottom <= top) return;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    auto* destination = static_cast<Uint8*>(surface->pixels) + top * surface->pitch +
                        left * surface->format->BytesPerPixel;
    SDL_ConvertPixels(right - left, bottom - top, kSurfaceFormat, client_.Row(top) + left,
                      client_.Width() * 4, surface->format->format, destination, surface->pitch);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    const SDL_Rect shown{left, top, right - left, bottom - top};
    SDL_UpdateWindowSurfaceRects(window_, &shown, 1);
}

}  // namespace tovek
