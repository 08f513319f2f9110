#pragma once

#include <QWidget>

#include <functional>
#include <string>
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
    std::function<void(int button, int x, int y)> onMouseUp;
    // Whole notches of the wheel: sideways (Shift held, or a sideways wheel)
    // and down, each positive away from the map's top-left.
    std::function<void(int columns, int rows)> onWheel;
    std::function<void()> onMouseLeave;
    std::function<void()> onGotFocus;
    // The tooltip for picture pixel (x, y); none when unset or empty.
    std::function<std::string(int x, int y)> toolTipAt;

    // Schedules a repaint when the picture was refreshed or a frame changed
    // since it was last shown.
    void ShowState();

    // How often the view has been painted.
    unsigned PaintCount() const { return paintCount_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

  private:
    const PictureBox& picture_;
    std::vector<const Frame*> frames_;
    unsigned shownRefreshes_ = 0;
    std::vector<Frame> shownFrames_;
    unsigned paintCount_ = 0;
    QPoint wheelRemainder_;  // eighths of a degree not yet a whole notch
};

}  // namespace quorle
