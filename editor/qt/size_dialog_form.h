#pragma once

#include <QDialog>

#include <array>

#include "editor/core/size_dialog.h"

class QPushButton;

namespace quorle {

class BoxEdit;

// frmSize on screen: the width and height boxes with OK and cancel. Enter
// presses OK; closing the window by other means unloads the dialog.
class SizeDialogForm : public QDialog {
  public:
    SizeDialogForm(SizeDialog& dialog, QWidget* parent);

    void ShowState();

    void reject() override;

  private:
    template <typename Event>
    void Forward(Event&& event) {
        event(dialog_);
        ShowState();
    }

    SizeDialog& dialog_;
    std::array<BoxEdit*, 2> txtSize_{};
};

}  // namespace quorle
