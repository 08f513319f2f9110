#pragma once

#include <QDialog>

#include "editor/core/preview.h"

namespace quorle {

// frmPreview on screen: a client area of exactly the overview's size that
// shows it pixel for pixel, drawn afresh whenever the window gets the focus,
// and closed by any mouse button.
class PreviewForm : public QDialog {
  public:
    PreviewForm(PreviewWindow& preview, QWidget* parent);

    void reject() override;

  protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void GotFocus();

    PreviewWindow& preview_;
};

}  // namespace quorle
