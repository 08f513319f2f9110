#include "editor/qt/picture_view.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>
#include <utility>

#include "editor/qt/mouse_buttons.h"
#include "editor/qt/surface_image.h"

namespace quorle {
namespace {

bool SameFrame(const Frame& a, const Frame& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height &&
           a.colour == b.colour && a.visible == b.visible;
}

QColor FrameColour(const Frame& frame) {
    return QColor::fromRgb(static_cast<QRgb>(frame.colour | 0xFF000000u));
}

// A one-pixel outline along the inside of the frame's rectangle, as the
// platform's outline shapes draw it.
void DrawOutline(QPainter& painter, const Frame& frame) {
    if (!frame.visible || frame.width <= 0 || frame.height <= 0) return;
    const QColor colour = FrameColour(frame);
    const int right = frame.left + frame.width - 1;
    const int bottom = frame.top + frame.height - 1;
    painter.fillRect(frame.left, frame.top, frame.width, 1, colour);
    painter.fillRect(frame.left, bottom, frame.width, 1, colour);
    painter.fillRect(frame.left, frame.top, 1, frame.height, colour);
    painter.fillRect(right, frame.top, 1, frame.height, colour);
}

// Whole picture pixels; a drag beyond the left or top edge gives negative
// coordinates.
int PicturePixel(double coordinate) {
    return static_cast<int>(std::floor(coordinate));
}

}  // namespace

PictureView::PictureView(const PictureBox& picture, std::vector<const Frame*> frames,
                         QWidget* parent)
    : QWidget(parent), picture_(picture), frames_(std::move(frames)) {
    setFixedSize(picture.image.Width(), picture.image.Height());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    ShowState();
}

void PictureView::ShowState() {
    bool changed = picture_.refreshes != shownRefreshes_ || shownFrames_.size() != frames_.size();
    for (std::size_t i = 0; !changed && i < frames_.size(); ++i) {
        changed = !SameFrame(*frames_[i], shownFrames_[i]);
    }
    if (!changed) return;
    shownRefreshes_ = picture_.refreshes;
    shownFrames_.clear();
    for (const Frame* frame : frames_)
        shownFrames_.push_back(*frame);
    update();
}

void PictureView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(0, 0, SurfaceImage(picture_.image));
    for (const Frame* frame : frames_)
        DrawOutline(painter, *frame);
    ++paintCount_;
}

void PictureView::mousePressEvent(QMouseEvent* event) {
    const int button = ButtonCode(event->button());
    if (button == 0 || !onMouseDown) return;
    onMouseDown(button, PicturePixel(event->position().x()), PicturePixel(event->position().y()));
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
    if (!onMouseMove) return;
    onMouseMove(ButtonsCode(event->buttons()), PicturePixel(event->position().x()),
                PicturePixel(event->position().y()));
}

void PictureView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (onGotFocus) onGotFocus();
}

}  // namespace quorle
