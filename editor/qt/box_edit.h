#pragma once

#include <QKeySequence>
#include <QLineEdit>
#include <QList>

#include <functional>
#include <string>

#include "editor/core/editor.h"

namespace quorle {

// A text box of the editor: reports what the user types, Enter, and the
// focus moving to another control of its window.
class BoxEdit : public QLineEdit {
  public:
    explicit BoxEdit(QWidget* parent);
    ~BoxEdit() override;

    std::function<void(std::string text)> onChange;
    // When set, Enter is reported here and goes no further (it does not
    // press the window's default button).
    std::function<void()> onEnter;
    std::function<void()> onLostFocus;

    // Key sequences that keep their window-wide meaning (the menu shortcuts)
    // instead of editing the text.
    void YieldShortcuts(QList<QKeySequence> shortcuts) { yielded_ = std::move(shortcuts); }

    // Shows the core's box: its text, and the whole text selected when the
    // core put it back.
    void ShowText(const TextBox& box);

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    QList<QKeySequence> yielded_;
    bool shownSelected_ = false;
    bool awayInMenuBar_ = false;
    QMetaObject::Connection focusWatch_;
};

}  // namespace quorle
