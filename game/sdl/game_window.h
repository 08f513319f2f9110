#pragma once

#include <SDL_video.h>

#include <array>
#include <memory>
#include <optional>
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
    // The window is created shown, with its normal client size, which is also
    // its smallest. `scaling` is the chosen scaling of the maximised and
    // fullscreen states, if any. Nothing on failure, with SDL's reason in
    // error.
    static std::unique_ptr<GameWindow> Create(const std::string& caption, TextPainter& labelFont,
                                              std::optional<Scaling> scaling, std::string* error);
    ~GameWindow() override;
    GameWindow(const GameWindow&) = delete;
    GameWindow& operator=(const GameWindow&) = delete;

    // One to one at the top left in the normal state; maximised or in
    // fullscreen, scaled as the layout says.
    void PresentFrame(const Surface& picMain) override;

    // Follows the window's size and state: lays out the client area again.
    // The next PresentFrame puts the whole new client area on the screen.
    void Resize();

    // Desktop fullscreen on or off; the resize follows as a window event.
    void ToggleFullscreen();
    const ClientLayout& Layout() const { return layout_; }

    // Repaints what changed.
    void ShowLabels(const std::array<std::string, 2>& texts);
    void ShowCaption(const std::string& caption);

    // Puts the whole client area on the screen again (after it was exposed).
    void Repaint();

  private:
    GameWindow(SDL_Window* window, TextPainter& labelFont);
    void DrawLabel(int index);
    void Show(const ClientRect& rect);

    WindowState State(int clientWidth, int clientHeight) const;

    SDL_Window* window_;
    TextPainter& labelFont_;
    std::optional<Scaling> scaling_;
    ClientLayout layout_;
    Surface client_;
    std::array<std::string, 2> labels_;
    std::string caption_;
    bool showWholeClient_ = true;
};

}  // namespace tovek
