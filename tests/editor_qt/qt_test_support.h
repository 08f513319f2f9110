#pragma once

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/core/editor.h"
#include "editor/qt/picture_view.h"
#include "editor/qt/quorle_program.h"
#include "tests/support/temp_folder.h"

namespace quorle::testing {

// Quorle started up in an empty program folder that has its stage folder
// "data", with the main window shown and active.
class RunningQuorle {
  public:
    RunningQuorle();
    // Ends this Quorle without closing its window (as a crash would) and
    // starts a new one over the same folders.
    void Restart();

    Editor& editor() { return program_->State(); }
    MainWindow& window() { return program_->Window(); }
    std::filesystem::path StageFolder() const { return folder_.Path() / "data"; }
    const std::filesystem::path& ProgramFolder() const { return folder_.Path(); }

    // A control of the main window by its name ("pctMain", "txtSize(0)").
    template <typename Widget>
    Widget* Control(const char* name) {
        return dynamic_cast<Widget*>(window().findChild<QObject*>(QString::fromUtf8(name)));
    }
    PictureView* Picture(const char* name) { return Control<PictureView>(name); }
    QAction* Action(const char* name) { return window().findChild<QAction*>(name); }
    QString LabelText(const char* name) { return Control<QLabel>(name)->text(); }

    // Mouse on a picture of the main window, in its pixels.
    void Press(const char* picture, Qt::MouseButton button, int x, int y);
    void Release(const char* picture, Qt::MouseButton button, int x, int y);
    void Move(const char* picture, int x, int y);
    // A press and release at the centre of view cell (cx, cy).
    void ClickCell(Qt::MouseButton button, int cx, int cy);
    // A key with modifiers as the widget with the focus receives it.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

  private:
    void Start();

    tovek::test::TempFolder folder_;
    std::unique_ptr<QuorleProgram> program_;
};

// The picture as a window should show it: the surface with the one-pixel
// outlines of the visible frames over it, in their order.
tovek::Surface WithOutlines(tovek::Surface picture, const std::vector<const Frame*>& frames);

// How many pixels of `shown` differ from `expected` in their colour bits;
// every pixel counts when the sizes differ.
int DifferingPixels(const QImage& shown, const tovek::Surface& expected);

// Writes stage `number` into `folder`: an empty map of that size.
void WriteEmptyStage(const std::filesystem::path& folder, int number, int width = 12,
                     int height = 8);

// Replaces a line edit's text as a user does: select all, type.
void TypeInto(QLineEdit* edit, const QString& text);

// Clicks the push button called `name` inside `window`.
void ClickButton(QWidget* window, const char* name);

// Steps that act on modal windows from inside their event loops: each step
// waits until a new modal window that `matches` is open, then acts on it.
class ModalScript {
  public:
    using Match = std::function<bool(QWidget*)>;
    using Act = std::function<void(QWidget*)>;

    ModalScript& Then(Match match, Act act);
    // A message box with this title, text and icon; answered by clicking the
    // button with `answer` as its caption.
    ModalScript& ThenMessage(const QString& text, QMessageBox::Icon icon, const QString& answer);
    // The same, to come before the steps already waiting: for a box that the
    // current step's action opens.
    ModalScript& NextMessage(const QString& text, QMessageBox::Icon icon, const QString& answer);
    // Starts watching; every step must come within a few seconds.
    void Start();
    // All steps came and were acted on.
    bool Finished() const { return steps_.empty() && !timedOut_; }

  private:
    struct Step {
        Match match;
        Act act;
    };
    static Match AnyMessageBox();
    static Act AnswerMessage(const QString& text, QMessageBox::Icon icon, const QString& answer);
    void Poll();
    static void CloseModal(QWidget* modal);

    QObject context_;  // ends the watching with the script
    std::deque<Step> steps_;
    QPointer<QWidget> handled_;
    qint64 deadline_ = 0;
    bool timedOut_ = false;
};

// Whether the widget is the modal window of that object name ("frmStage").
ModalScript::Match IsForm(const char* name);

// The button of a message box with this caption, or null.
QAbstractButton* MessageButton(QMessageBox* box, const QString& caption);

// Test classes register themselves under a name; the test program runs the
// one named first on its command line (all when none is named), with the
// QtTest arguments that follow.
using TestFactory = std::function<std::unique_ptr<QObject>()>;
bool RegisterTestClass(const char* name, TestFactory factory);
int RunRegisteredTests(int argc, char** argv);

}  // namespace quorle::testing
