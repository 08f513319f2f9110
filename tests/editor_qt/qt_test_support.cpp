#include "tests/editor_qt/qt_test_support.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <utility>

#include "common/stage_file.h"
#include "common/stage_naming.h"

#include "editor/core/geometry.h"

namespace quorle::testing {
namespace {

constexpr int kPollMilliseconds = 5;
constexpr qint64 kStepTimeoutMilliseconds = 10000;

QPoint CellCentre(int cx, int cy) {
    return {cx * kCell + kCell / 2, cy * kCell + kCell / 2};
}

}  // namespace

RunningQuorle::RunningQuorle() {
    std::filesystem::create_directory(folder_.Path() / "data");
    Start();
}

void RunningQuorle::Restart() {
    program_.reset();
    Start();
}

void RunningQuorle::Start() {
    program_ = std::make_unique<QuorleProgram>(folder_.Path());
    window().show();
    program_->OfferRecovery();
    window().activateWindow();
    if (!QTest::qWaitForWindowActive(&window())) qWarning("the main window did not become active");
    // Every test starts with the mouse over the menu bar, off the pictures.
    QTest::mouseMove(&window(), QPoint(2, 2));
}

void RunningQuorle::Press(const char* picture, Qt::MouseButton button, int x, int y) {
    QTest::mousePress(Picture(picture), button, Qt::NoModifier, QPoint(x, y));
}

void RunningQuorle::Release(const char* picture, Qt::MouseButton button, int x, int y) {
    QTest::mouseRelease(Picture(picture), button, Qt::NoModifier, QPoint(x, y));
}

void RunningQuorle::Move(const char* picture, int x, int y) {
    QTest::mouseMove(Picture(picture), QPoint(x, y));
}

void RunningQuorle::ClickCell(Qt::MouseButton button, int cx, int cy) {
    const QPoint at = CellCentre(cx, cy);
    Press("pctMain", button, at.x(), at.y());
    Release("pctMain", button, at.x(), at.y());
}

void RunningQuorle::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    // A modal window that came and went hands the activation back through
    // the event queue, before and after the key.
    QCoreApplication::processEvents();
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : &window(), key, modifiers);
    QCoreApplication::processEvents();
}

tovek::Surface WithOutlines(tovek::Surface picture, const std::vector<const Frame*>& frames) {
    for (const Frame* frame : frames) {
        if (!frame->visible) continue;
        const int right = frame->left + frame->width - 1;
        const int bottom = frame->top + frame->height - 1;
        for (int x = frame->left; x <= right; ++x) {
            picture.SetPixel(x, frame->top, frame->colour);
            picture.SetPixel(x, bottom, frame->colour);
        }
        for (int y = frame->top; y <= bottom; ++y) {
            picture.SetPixel(frame->left, y, frame->colour);
            picture.SetPixel(right, y, frame->colour);
        }
    }
    return picture;
}

int DifferingPixels(const QImage& shown, const tovek::Surface& expected) {
    if (shown.width() != expected.Width() || shown.height() != expected.Height()) {
        return expected.Width() * expected.Height();
    }
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if ((shown.pixel(x, y) & 0xFFFFFFu) != expected.Pixel(x, y)) ++differing;
        }
    }
    return differing;
}

void WriteEmptyStage(const std::filesystem::path& folder, int number, int width, int height) {
    tovek::EditorStage stage{.background = 0, .width = width, .height = height, .cells = {}};
    stage.cells.resize(static_cast<std::size_t>(width) * height);
    const std::vector<std::uint8_t> bytes =
        tovek::WriteEditorStage(stage, {.key = 9, .multiplier = 5});
    std::ofstream(tovek::StageFilePath(folder, number), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

void TypeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void ClickButton(QWidget* window, const char* name) {
    auto* button = window->findChild<QAbstractButton*>(QString::fromUtf8(name));
    if (button == nullptr) {
        qWarning("no button %s", name);
        return;
    }
    button->click();
}

ModalScript& ModalScript::Then(Match match, Act act) {
    steps_.push_back({std::move(match), std::move(act)});
    return *this;
}

ModalScript& ModalScript::ThenMessage(const QString& text, QMessageBox::Icon icon,
                                      const QString& answer) {
    return Then(AnyMessageBox(), AnswerMessage(text, icon, answer));
}

ModalScript::Match ModalScript::AnyMessageBox() {
    return [](QWidget* widget) { return dynamic_cast<QMessageBox*>(widget) != nullptr; };
}

ModalScript::Act ModalScript::AnswerMessage(const QString& text, QMessageBox::Icon icon,
                                            const QString& answer) {
    return [text, icon, answer](QWidget* widget) {
        auto* box = dynamic_cast<QMessageBox*>(widget);
        QCOMPARE(box->windowTitle(), QStringLiteral("Quorle"));
        QCOMPARE(box->text(), text);
        QCOMPARE(box->icon(), icon);
        QAbstractButton* button = MessageButton(box, answer);
        QVERIFY2(button != nullptr, qPrintable(answer));
        button->click();
    };
}

void ModalScript::Start() {
    deadline_ = QDateTime::currentMSecsSinceEpoch() + kStepTimeoutMilliseconds;
    QTimer::singleShot(kPollMilliseconds, &context_, [this] { Poll(); });
}

ModalScript& ModalScript::NextMessage(const QString& text, QMessageBox::Icon icon,
                                      const QString& answer) {
    steps_.push_front({AnyMessageBox(), AnswerMessage(text, icon, answer)});
    return *this;
}

void ModalScript::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (timedOut_) {
        // Every later modal window is closed, so that the test can end.
        if (modal != nullptr) CloseModal(modal);
        QTimer::singleShot(kPollMilliseconds, &context_, [this] { Poll(); });
        return;
    }
    if (steps_.empty()) return;
    if (modal != nullptr && modal != handled_ && modal->isVisible() &&
        steps_.front().match(modal)) {
        Step step = std::move(steps_.front());
        steps_.pop_front();
        handled_ = modal;
        deadline_ = QDateTime::currentMSecsSinceEpoch() + kStepTimeoutMilliseconds;
        // Watch on first: acting may open the next modal window and wait in it.
        QTimer::singleShot(kPollMilliseconds, &context_, [this] { Poll(); });
        const QPointer<QWidget> window = modal;
        step.act(modal);
        // A step whose checks failed may have left its window open.
        if (QTest::currentTestFailed() && window && window->isVisible()) CloseModal(window);
        return;
    }
    if (QDateTime::currentMSecsSinceEpoch() > deadline_) {
        qWarning("a modal window did not come in time");
        timedOut_ = true;
        steps_.clear();
    }
    QTimer::singleShot(kPollMilliseconds, &context_, [this] { Poll(); });
}

void ModalScript::CloseModal(QWidget* modal) {
    if (auto* dialog = dynamic_cast<QDialog*>(modal)) dialog->reject();
}

ModalScript::Match IsForm(const char* name) {
    const QString objectName = QString::fromUtf8(name);
    return [objectName](QWidget* widget) { return widget->objectName() == objectName; };
}

QAbstractButton* MessageButton(QMessageBox* box, const QString& caption) {
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == caption) return button;
    }
    return nullptr;
}

namespace {

std::vector<std::pair<std::string, TestFactory>>& Registry() {
    static std::vector<std::pair<std::string, TestFactory>> registry;
    return registry;
}

}  // namespace

bool RegisterTestClass(const char* name, TestFactory factory) {
    Registry().emplace_back(name, std::move(factory));
    return true;
}

int RunRegisteredTests(int argc, char** argv) {
    if (argc > 1) {
        for (const auto& [name, factory] : Registry()) {
            if (name != argv[1]) continue;
            QStringList arguments{QString::fromUtf8(argv[0])};
            for (int i = 2; i < argc; ++i)
                arguments.append(QString::fromUtf8(argv[i]));
            const std::unique_ptr<QObject> test = factory();
            return QTest::qExec(test.get(), arguments);
        }
    }
    int failures = 0;
    for (const auto& [name, factory] : Registry()) {
        const std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), QStringList{QString::fromUtf8(argv[0])});
    }
    return failures;
}

}  // namespace quorle::testing
