#include "editor/qt/qt_services.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

#include <utility>
#include <vector>

#include "editor/qt/preview_form.h"
#include "editor/qt/size_dialog_form.h"
#include "editor/qt/stage_dialog_form.h"
#include "editor/qt/ui_text.h"

namespace quorle {
namespace {

struct BoxButton {
    MessageAnswer answer;
    const char* caption;
    QMessageBox::ButtonRole role;
};

constexpr BoxButton kOkButton{MessageAnswer::Ok, "OK", QMessageBox::AcceptRole};
constexpr BoxButton kCancelButton{MessageAnswer::Cancel, "キャンセル", QMessageBox::RejectRole};
constexpr BoxButton kYesButton{MessageAnswer::Yes, "はい(&Y)", QMessageBox::YesRole};
constexpr BoxButton kNoButton{MessageAnswer::No, "いいえ(&N)", QMessageBox::NoRole};

std::vector<BoxButton> ButtonsOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return {kOkButton};
        case MessageButtons::OkCancel:
            return {kOkButton, kCancelButton};
        case MessageButtons::YesNo:
            return {kYesButton, kNoButton};
        case MessageButtons::YesNoCancel:
            return {kYesButton, kNoButton, kCancelButton};
    }
    return {kOkButton};
}

QMessageBox::Icon IconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// Runs the modal window until it closes, then gives the activation back to
// the window that opened it, as the window manager would (there may be none).
void ExecModal(QDialog& dialog) {
    const QPointer<QWidget> opener = dialog.parentWidget();
    dialog.exec();
    if (opener) opener->window()->activateWindow();
}

}  // namespace

MessageAnswer QtServices::ShowMessage(const MessageRequest& request) {
    QMessageBox box(IconOf(request.icon), ToQString(request.title), ToQString(request.text),
                    QMessageBox::NoButton, DialogParent());
    // Texts carry folder and file names as typed; they are never markup.
    box.setTextFormat(Qt::PlainText);
    std::vector<std::pair<QAbstractButton*, MessageAnswer>> answers;
    for (const BoxButton& button : ButtonsOf(request.buttons)) {
        answers.emplace_back(box.addButton(QString::fromUtf8(button.caption), button.role),
                             button.answer);
    }
    ExecModal(box);
    for (const auto& [button, answer] : answers) {
        if (box.clickedButton() == button) return answer;
    }
    // Closed without a button.
    return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void QtServices::Beep() {
    QApplication::beep();
}

void QtServices::ShowStageDialog(StageDialog& dialog) {
    StageDialogForm form(dialog, DialogParent());
    ExecModal(form);
}

void QtServices::ShowSizeDialog(SizeDialog& dialog) {
    SizeDialogForm form(dialog, DialogParent());
    ExecModal(form);
}

void QtServices::ShowPreview(PreviewWindow& preview) {
    PreviewForm form(preview, DialogParent());
    ExecModal(form);
}

QWidget* QtServices::DialogParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return mainWindow_;
}

}  // namespace quorle
