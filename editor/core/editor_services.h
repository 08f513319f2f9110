#pragma once

#include <string>

namespace quorle {

class StageDialog;
class SizeDialog;
class PreviewWindow;

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Error, Warning, Information };
// Closing a box without pressing a button answers Cancel (or Ok when Ok is
// its only button).
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    std::string text;  // lines separated by CR LF
    std::string title;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;

    bool operator==(const MessageRequest&) const = default;
};

// What the editor asks of its window system. The Qt front-end shows real
// boxes and dialogs; tests answer from a script.
class EditorServices {
  public:
    virtual ~EditorServices() = default;

    // A modal message box; returns the button pressed.
    virtual MessageAnswer ShowMessage(const MessageRequest& request) = 0;
    virtual void Beep() = 0;

    // Modal dialogs, already loaded. Each returns once the dialog's `closed`
    // is set (by its own events) or the user closed it by other means, in
    // which case the front-end calls its Form_Unload first.
    virtual void ShowStageDialog(StageDialog& dialog) = 0;
    virtual void ShowSizeDialog(SizeDialog& dialog) = 0;
    virtual void ShowPreview(PreviewWindow& preview) = 0;
};

}  // namespace quorle
