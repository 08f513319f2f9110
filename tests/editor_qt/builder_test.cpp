// What the window gives a stage builder: undo and redo on their keys, the
// play-test and the stage check, names under the mouse, the wheel.
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include "editor/core/geometry.h"
#include "editor/core/map_view.h"
#include "editor/core/recovery_file.h"
#include "editor/qt/play_test_window.h"
#include "game/core/game.h"
#include "tests/editor_qt/qt_test_support.h"

namespace quorle::testing {
namespace {

bool Enabled(RunningQuorle& quorle, const char* item) {
    return quorle.Action(item)->isEnabled();
}

// Picks palette code `code` with the left button.
void Pick(RunningQuorle& quorle, int code) {
    quorle.Press("pctBase", Qt::LeftButton, (code % 16) * kCell + 4, (code / 16) * kCell + 4);
}

class BuilderTests : public QObject {
    Q_OBJECT

  private slots:
    void UnsavedEditsAreAutosavedAndOfferedAtTheNextStart() {
        RunningQuorle quorle;
        auto* timer = quorle.window().findChild<QTimer*>(QStringLiteral("tmrAutosave"));
        QVERIFY(timer != nullptr && timer->isActive());
        QCOMPARE(timer->interval(), kAutosaveSeconds * 1000);
        quorle.ClickCell(Qt::LeftButton, 2, 3);
        const std::filesystem::path recovery = RecoveryFilePath(quorle.editor());
        timer->setInterval(10);
        QTRY_VERIFY(std::filesystem::exists(recovery));

        ModalScript restore;
        restore.ThenMessage(QStringLiteral("前回保存されなかった変更があります。復元しますか？"),
                            QMessageBox::Warning, QStringLiteral("はい(&Y)"));
        restore.Start();
        quorle.Restart();
        QVERIFY(restore.Finished());
        QCOMPARE(quorle.editor().map.At(2, 3).mainTile, 1);
        QCOMPARE(quorle.window().windowTitle(), QStringLiteral("Quorle*"));

        // Closing without saving, when asked, leaves nothing to recover.
        ModalScript drop;
        drop.ThenMessage(QStringLiteral("変更されています。保存しますか？"), QMessageBox::Warning,
                         QStringLiteral("いいえ(&N)"));
        drop.Start();
        quorle.window().close();
        QVERIFY(drop.Finished());
        QVERIFY(!std::filesystem::exists(recovery));
    }

    void UndoAndRedoReachTheirKeysAndAreEnabledOnlyWhenTheyCanAct() {
        RunningQuorle quorle;
        Editor& editor = quorle.editor();
        QVERIFY(!Enabled(quorle, "mnuUndo") && !Enabled(quorle, "mnuRedo"));
        quorle.ClickCell(Qt::LeftButton, 2, 3);
        QCOMPARE(editor.map.At(2, 3).mainTile, 1);
        QVERIFY(Enabled(quorle, "mnuUndo") && !Enabled(quorle, "mnuRedo"));

        quorle.Key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor.map.At(2, 3).mainTile, 0);
        QCOMPARE(quorle.window().windowTitle(), QStringLiteral("Quorle"));
        QVERIFY(!Enabled(quorle, "mnuUndo") && Enabled(quorle, "mnuRedo"));
        quorle.Key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(editor.map.At(2, 3).mainTile, 1);
        QCOMPARE(quorle.window().windowTitle(), QStringLiteral("Quorle*"));
        quorle.Key(Qt::Key_Z, Qt::ControlModifier);
        quorle.Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(editor.map.At(2, 3).mainTile, 1);
        // The cancel of a waiting command keeps its key and its meaning.
        quorle.Key(Qt::Key_X, Qt::ControlModifier);
        quorle.Key(Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(editor.editMode, 0);
        QCOMPARE(editor.map.At(2, 3).mainTile, 1);
    }

    void F5PlaysTheDocumentAndShiftF5PlaysFromTheCursor() {
        RunningQuorle quorle;
        Pick(quorle, 16);
        quorle.ClickCell(Qt::LeftButton, 3, 2);
        quorle.Move("pctMain", 7 * kCell + 5, 1 * kCell + 5);
        std::vector<std::pair<int, int>> starts;
        ModalScript script;
        const auto playAndLeave = [&starts](QWidget* form) {
            auto* window = dynamic_cast<PlayTestWindow*>(form);
            QVERIFY(window != nullptr);
            QVERIFY(window->windowTitle().endsWith(QStringLiteral(" - テストプレイ")));
            const tovek::Game& game = window->Play().State();
            starts.emplace_back(game.playerX / kCell, game.playerY / kCell);
            QCOMPARE(window->findChild<QLabel*>("lblMain(0)")->text(), QStringLiteral("ステージ1"));
            QWidget* target = QApplication::focusWidget();
            QTest::keyClick(target != nullptr && target->window() == form ? target : form,
                            Qt::Key_Escape);
        };
        script.Then(IsForm("frmPlayTest"), playAndLeave).Then(IsForm("frmPlayTest"), playAndLeave);
        script.Start();
        quorle.Key(Qt::Key_F5);
        quorle.Key(Qt::Key_F5, Qt::ShiftModifier);
        QVERIFY(script.Finished());
        QCOMPARE(starts, (std::vector<std::pair<int, int>>{{3, 2}, {7, 1}}));
        QVERIFY(quorle.window().isActiveWindow());
    }

    void F7ListsTheProblemsAndALineShowsItsCell() {
        RunningQuorle quorle;
        Editor& editor = quorle.editor();
        editor.map = CellGrid(48, 8);
        editor.map.At(40, 5).mainTile = 32 + 7;  // a port without a partner
        quorle.Key(Qt::Key_F7);
        auto* list = quorle.window().findChild<QListWidget*>("lstProblems");
        QVERIFY(list != nullptr && list->isVisible());
        QCOMPARE(list->count(), 3);
        QCOMPARE(
            list->item(0)->text(),
            QStringLiteral("スタート位置がありません。ゲームではマップの左上から始まります。"));
        QCOMPARE(list->item(2)->text(),
                 QStringLiteral("(40, 5) 下向きポート 7の行き先がありません。"
                                "同じ番号のポートがもう1つ必要です。"));
        const QRect line = list->visualItemRect(list->item(2));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, line.center());
        QCOMPARE(quorle.Control<QScrollBar>("hscrMain")->value(), 34);
        QCOMPARE(CursorCell(editor), std::pair(40, 5));
        QCOMPARE(quorle.LabelText("lblInfo"), QStringLiteral("タイル: 下向きポート 7"));
    }

    void TheCheckFindsARouteToShowOverTheMapAndToPlayBack() {
        RunningQuorle quorle;
        Editor& editor = quorle.editor();
        for (int x = 0; x < 16; ++x)
            editor.map.At(x, 7).mainTile = 1;
        editor.map.At(1, 6).mainTile = 16;
        editor.map.At(14, 6).mainTile = 17;
        quorle.Key(Qt::Key_F7);
        auto* lastRun = quorle.window().findChild<QLabel*>("lblRun(2)");
        QTRY_VERIFY_WITH_TIMEOUT(lastRun->text().contains(QStringLiteral("クリアできます。")),
                                 60000);
        auto* show = quorle.window().findChild<QPushButton*>("cmdShowRoute(1)");
        QVERIFY(show->isEnabled());
        QVERIFY(editor.shownRoute.empty());
        show->click();
        QVERIFY(!editor.shownRoute.empty());
        QCOMPARE(editor.shownRoute.front(), (RoutePoint{kCell, 6 * kCell}));
        show->click();
        QVERIFY(editor.shownRoute.empty());

        ModalScript script;
        QString title;
        script.Then(IsForm("frmPlayTest"), [&title](QWidget* form) {
            title = form->windowTitle();
            form->close();
        });
        script.Start();
        quorle.window().findChild<QPushButton*>("cmdPlayRoute(0)")->click();
        QVERIFY(script.Finished());
        QVERIFY(title.endsWith(QStringLiteral(" - ルートの再生")));

        // A new map closes the panel about the old one and drops its route.
        show->click();
        quorle.Action("mnuNew")->trigger();
        QVERIFY(editor.shownRoute.empty());
        QVERIFY(!lastRun->window()->isVisible());
    }

    void TheWheelScrollsTheViewAndShiftTurnsItSideways() {
        RunningQuorle quorle;
        PictureView* view = quorle.Picture("pctMain");
        const auto turn = [view](Qt::KeyboardModifiers modifiers, int notches) {
            const QPointF at(100, 100);
            QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches),
                              Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
            QApplication::sendEvent(view, &wheel);
        };
        const int lines = QApplication::wheelScrollLines();
        turn(Qt::ShiftModifier, 2);
        QCOMPARE(quorle.editor().hscrMain.value, 2 * lines);
        QCOMPARE(quorle.Control<QScrollBar>("hscrMain")->value(), 2 * lines);
        turn(Qt::ShiftModifier, -1);
        QCOMPARE(quorle.editor().hscrMain.value, lines);
        turn(Qt::NoModifier, 1);  // an 8-row map has nowhere to go down
        QCOMPARE(quorle.editor().vscrMain.value, 0);
    }

    void ThePaletteNamesItsCellsInTheStatusBar() {
        RunningQuorle quorle;
        quorle.Move("pctBase", 8 * kCell + 4, 3 * kCell + 4);
        QCOMPARE(quorle.LabelText("lblInfo"),
                 QStringLiteral("コウモリ（右向き）：波のように上下しながら飛ぶ"));
        quorle.Move("pctBack", 60, 2);
        QCOMPARE(quorle.LabelText("lblInfo"), QStringLiteral("背景 2: 森"));
    }
};

const bool registered =
    RegisterTestClass("Builder", [] { return std::make_unique<BuilderTests>(); });

}  // namespace
}  // namespace quorle::testing

#include "builder_test.moc"
