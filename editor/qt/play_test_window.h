#pragma once

#include <QDialog>
#include <QTimer>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "common/sheets.h"
#include "common/text.h"
#include "editor/play/play_services.h"
#include "editor/play/play_test.h"

class QComboBox;
class QLabel;

namespace quorle {

class GameView;

// The play-test window: the game's picture, its two status labels and its
// caption, ticking at the game's interval. Escape, closing the window, or
// Space on the miss or clear screen ends it. A choice of character starts
// play again with that character. A route found by the stage check plays
// back in it by itself, for the character it was found for.
class PlayTestWindow : public QDialog {
  public:
    // Keys found for the stage, to play back from `start`.
    struct Route {
        std::uint64_t seed = 1;
        std::vector<tovek::KeyEvent> keys;
    };

    PlayTestWindow(PlayStart start, std::optional<Route> route,
                   const std::filesystem::path& programFolder, const tovek::PictureSheets& sheets,
                   tovek::TextPainter* text, QWidget* parent);

    const PlayTest& Play() const { return play_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    void Restart();
    void Tick();
    void ShowState();

    WallClock clock_;
    PlayTest play_;
    PlayStart start_;
    std::optional<Route> route_;
    QTimer timer_;
    GameView* view_ = nullptr;
    QLabel* labels_[2] = {};
    QComboBox* character_ = nullptr;
};

}  // namespace quorle
