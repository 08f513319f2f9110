#pragma once

#include <QWidget>

#include <functional>
#include <vector>

#include "editor/core/editor.h"

namespace quorle {

// A picture box of the editor: shows its Surface pixel for pixel with the
// outline frames that lie over it, and reports the mouse in picture pixels
// and the editor's button codes.
class PictureView : public QWidget {
  public:
    // `frames` are drawn in this order over the picture; the picture and the
    // frames belong to the editor and outlive the view.
    PictureView(const PictureBox& picture, std::vector<const Frame*> frames, QWidget* parent);

    std::function<void(int button, int x, int y)> onMouseDown;
    std::function<void(int buttons, int x, int y)> onMouseMove;
    std::function<void()> onGotFocus;

    // Schedules a repaint when the picture was refreshed or a frame changed
    // since it was last shown.
    void ShowState();

    // How often the view has been painted.
    unsigned PaintCount() const { return paintCount_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    const PictureBox& picture_;
    std::vector<const Frame*> frames_;
    unsigned shownRefreshes_ = 0;
    std::vector<Frame> shownFrames_;
    unsigned paintCount_ = 0;
};

}  // namespace quorle
