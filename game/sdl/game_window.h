#pragma once

#include <SDL_video.h>

#include <array>
#include <memory>
#include <string>

#include "common/surface.h"
#include "common/text.h"
#include "game/core/platform.h"
#include "game/sdl/client_layout.h"

namespace tovek {

// The game's window: the display surface and the two status labels, drawn
// into a Surface of the client area's size and shown through the window's
// own software surface, so every pixel is exactly the one drawn.
class GameWindow : public FramePresenter {
  public:
    // The window is created shown, with its normal client size. Nothing on
    // failure, with SDL's reason in error.
    static std::unique_ptr<GameWindow> Create(const std::string& caption, TextPainter& labelFont,
                                              std::string* error);
    ~GameWindow() override;
    GameWindow(const GameWindow&) = delete;
    GameWindow& operator=(const GameWindow&) = delete;

    // One to one at the top left in the normal state; maximised, stretched
    // over the client area above the labels.
    void PresentFrame(const Surface& picMain) override;

    // Follows the window's size and state: lays out the client area again.
    // The next PresentFrame puts the whole new client area on the screen.
    void Resize();

    // Repaints what changed.
    void ShowLabels(const std::array<std::string, 2>& texts);
    void ShowCaption(const std::string& caption);

    // Puts the whole client area on the screen again (after it was exposed).
    void Repaint();

  private:
    GameWindow(SDL_Window* window, TextPainter& labelFont);
    void DrawLabel(int index);
    void Show(const ClientRect& rect);

    SDL_Window* window_;
    TextPainter& labelFont_;
    ClientLayout layout_;
    Surface client_;
    std::array<std::string, 2> labels_;
    std::string caption_;
    bool showWholeClient_ = true;
};

}  // namespace tovek
