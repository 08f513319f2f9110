#include "editor/qt/box_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenuBar>

#include "editor/qt/ui_text.h"

namespace quorle {

BoxEdit::BoxEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (onChange) onChange(ToUtf8(text));
    });
    // The menu bar worked from the keyboard gives the focus back to the box
    // when it is done; the box has been left only if the focus goes on from
    // the menu bar to another control of its window.
    focusWatch_ =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget* /*old*/, QWidget* now) {
            if (!awayInMenuBar_ || now == nullptr || now->window() != window() ||
                qobject_cast<QMenuBar*>(now) != nullptr) {
                return;
            }
            awayInMenuBar_ = false;
            if (now != this && onLostFocus) onLostFocus();
        });
}

// The widget's own destruction moves the focus; by then this is no longer a
// BoxEdit, so the watch ends here rather than with the QObject.
BoxEdit::~BoxEdit() {
    disconnect(focusWatch_);
}

void BoxEdit::ShowText(const TextBox& box) {
    const QString text = ToQString(box.text);
    if (this->text() != text) setText(text);
    if (box.wholeTextSelected && !shownSelected_) selectAll();
    shownSelected_ = box.wholeTextSelected;
}

bool BoxEdit::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence sequence(
            QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
        if (yielded_.contains(sequence)) {
            // Left unaccepted, the key goes on to the window's shortcuts.
            event->ignore();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void BoxEdit::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && onEnter) {
        event->accept();
        onEnter();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void BoxEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A message box, another window, an opening menu or the menu bar takes
    // the focus only for a while: the box has not been left.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
    if (reason == Qt::MenuBarFocusReason) {
        awayInMenuBar_ = true;
        return;
    }
    if (onLostFocus) onLostFocus();
}

}  // namespace quorle
