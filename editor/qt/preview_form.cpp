#include "editor/qt/preview_form.h"

#include <QEvent>
#include <QPainter>

#include "editor/qt/surface_image.h"

namespace quorle {

PreviewForm::PreviewForm(PreviewWindow& preview, QWidget* parent)
    : QDialog(parent), preview_(preview) {
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QString::fromUtf8(PreviewWindow::kCaption));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(preview.clientWidth, preview.clientHeight);
}

void PreviewForm::reject() {
    preview_.Form_Unload();
    QDialog::reject();
}

bool PreviewForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) GotFocus();
    return QDialog::event(event);
}

// Opening gives the window the focus, also where no window manager
// activates it.
void PreviewForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    GotFocus();
}

void PreviewForm::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(static_cast<QRgb>(kPreviewBackColour)));
    painter.drawImage(0, 0, SurfaceImage(preview_.picture));
}

void PreviewForm::mousePressEvent(QMouseEvent* /*event*/) {
    preview_.Form_MouseDown();
    if (preview_.closed) done(QDialog::Accepted);
}

void PreviewForm::GotFocus() {
    preview_.Form_GotFocus();
    update();
}

}  // namespace quorle
