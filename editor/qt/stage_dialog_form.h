#pragma once

#include <QDialog>

#include <array>

#include "editor/core/stage_dialog.h"

class QComboBox;
class QPushButton;

namespace quorle {

class BoxEdit;

// frmStage on screen: shows the stage dialog's state and hands it every
// user event; it closes when the dialog says so. Closing the window by other
// means (Escape, the title bar) unloads the dialog, which acts as Cancel.
class StageDialogForm : public QDialog {
  public:
    StageDialogForm(StageDialog& dialog, QWidget* parent);

    void ShowState();

    void reject() override;

  private:
    template <typename Event>
    void Forward(Event&& event) {
        event(dialog_);
        ShowState();
    }

    StageDialog& dialog_;
    QComboBox* cmbStage_ = nullptr;
    QComboBox* cmbMode_ = nullptr;
    BoxEdit* txtFolder_ = nullptr;
    std::array<QPushButton*, 2> cmdStage_{};
};

}  // namespace quorle
