#include "editor/qt/picture_view.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>
#include <utility>

#include "editor/qt/mouse_buttons.h"
#include "editor/qt/surface_image.h"
#include "editor/qt/ui_text.h"

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
    const int x = PicturePixel(event->position().x());
    const int y = PicturePixel(event->position().y());
    // A tooltip on show follows the mouse into the next cell.
    if (toolTipAt && QToolTip::isVisible()) {
        const QString text = ToQString(toolTipAt(x, y));
        if (text != QToolTip::text()) {
            QToolTip::showText(event->globalPosition().toPoint(), text, this);
        }
    }
    if (onMouseMove) onMouseMove(ButtonsCode(event->buttons()), x, y);
}

void PictureView::mouseReleaseEvent(QMouseEvent* event) {
    const int button = ButtonCode(event->button());
    if (button == 0 || !onMouseUp) return;
    onMouseUp(button, PicturePixel(event->position().x()), PicturePixel(event->position().y()));
}

void PictureView::wheelEvent(QWheelEvent* event) {
    if (!onWheel) {
        event->ignore();
        return;
    }
    constexpr int kNotch = 120;
    QPoint delta = event->angleDelta();
    // Shift turns the wheel sideways, unless the system already did.
    if (event->modifiers().testFlag(Qt::ShiftModifier) && delta.x() == 0) {
        delta = QPoint(delta.y(), 0);
    }
    wheelRemainder_ += delta;
    const int columns = wheelRemainder_.x() / kNotch;
    const int rows = wheelRemainder_.y() / kNotch;
    wheelRemainder_ -= QPoint(columns * kNotch, rows * kNotch);
    // Turning the wheel away from the user shows what lies above (or left).
    if (columns != 0 || rows != 0) onWheel(-columns, -rows);
    event->accept();
}

void PictureView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (onMouseLeave) onMouseLeave();
}

bool PictureView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && toolTipAt) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = ToQString(toolTipAt(help->pos().x(), help->pos().y()));
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, this);
        }
        return true;
    }
    return QWidget::event(event);
}

void PictureView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (onGotFocus) onGotFocus();
}

}  // namespace quorle
