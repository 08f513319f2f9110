#pragma once

#include <QPointer>
#include <QWidget>

#include "editor/core/editor_services.h"

namespace quorle {

// The editor's window system: Qt message boxes, the system beep, and the
// modal stage, size and preview windows.
class QtServices : public EditorServices {
  public:
    // The window that the boxes and dialogs belong to while no other modal
    // window is open.
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }

    MessageAnswer ShowMessage(const MessageRequest& request) override;
    void Beep() override;
    void ShowStageDialog(StageDialog& dialog) override;
    void ShowSizeDialog(SizeDialog& dialog) override;
    void ShowPreview(PreviewWindow& preview) override;

  private:
    QWidget* DialogParent() const;

    QPointer<QWidget> mainWindow_;
};

}  // namespace quorle
