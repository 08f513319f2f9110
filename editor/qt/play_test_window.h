#pragma once

#include <QDialog>
#include <QTimer>

#include <filesystem>

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
// play again with that character.
class PlayTestWindow : public QDialog {
  public:
    PlayTestWindow(PlayStart start, const std::filesystem::path& programFolder,
                   const tovek::PictureSheets& sheets, tovek::TextPainter* text, QWidget* parent);

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
    QTimer timer_;
    GameView* view_ = nullptr;
    QLabel* labels_[2] = {};
    QComboBox* character_ = nullptr;
};

}  // namespace quorle
