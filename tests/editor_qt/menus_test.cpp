// The menus: items, captions, separators, check marks and shortcut keys, and
// the keys reaching the menus from anywhere in the window.
#include <QAction>
#include <QCheckBox>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>

#include "tests/editor_qt/qt_test_support.h"

namespace quorle::testing {
namespace {

struct ExpectedItem {
    const char* name;  // nullptr for a separator
    const char* caption;
    const char* shortcut;
};

struct ExpectedMenu {
    const char* caption;
    std::vector<ExpectedItem> items;
};

const std::vector<ExpectedMenu> kExpectedMenus{
    {"ファイル(&F)",
     {{"mnuNew", "新規作成(&N)...", "Ctrl+N"},
      {"mnuOpen", "開く(&O)...", "Ctrl+O"},
      {"mnuSave", "上書き保存(&S)", "Ctrl+S"},
      {"mnuSaveAs", "保存(&A)...", "Ctrl+A"},
      {nullptr, "", ""},
      {"mnuExit", "終了(&X)", "Ctrl+Q"}}},
    {"編集(&E)",
     {{"mnuUndo", "元に戻す(&U)", "Ctrl+Z"},
      {"mnuRedo", "やり直し(&Y)", "Ctrl+Y"},
      {nullptr, "", ""},
      {"mnuInsert", "挿入モードに切り替え(&I)", "Ctrl+Insert"},
      {nullptr, "", ""},
      {"mnuReverse", "逆方向(&R)", "Ctrl+R"},
      {nullptr, "", ""},
      {"mnuMap(0)", "切り取り(&C)", "Ctrl+X"},
      {"mnuMap(1)", "コピー(&T)", "Ctrl+C"},
      {"mnuMap(2)", "貼り付け(&P)", "Ctrl+V"},
      {"mnuMap(3)", "長方形塗りつぶし(&F)", "Ctrl+F"},
      {"mnuMap(4)", "動作の取り消し(&E)", "Ctrl+E"}}},
    {"ツール(&T)",
     {{"mnuSize", "サイズ設定(&S)...", "Ctrl+T"},
      {"mnuPreview", "プレビュー(&P)...", "Ctrl+P"},
      {nullptr, "", ""},
      {"mnuPlay", "テストプレイ(&G)", "F5"},
      {"mnuPlayHere", "カーソル位置からテストプレイ(&H)", "Shift+F5"},
      {"mnuCheck", "ステージの検査(&K)", "F7"}}},
};

QString Status(RunningQuorle& quorle) {
    return quorle.LabelText("lblStatus");
}

// Expects the stage dialog with `caption` and cancels it.
ModalScript::Act CancelStageDialog(const QString& caption) {
    return [caption](QWidget* form) {
        QCOMPARE(form->windowTitle(), caption);
        ClickButton(form, "cmdStage(1)");
    };
}

class MenuTests : public QObject {
    Q_OBJECT

  private slots:
    void MenusHaveEveryItemCaptionSeparatorAndShortcut() {
        RunningQuorle quorle;
        const QList<QAction*> menus = quorle.window().menuBar()->actions();
        QCOMPARE(menus.size(), static_cast<qsizetype>(kExpectedMenus.size()));
        for (std::size_t m = 0; m < kExpectedMenus.size(); ++m) {
            QCOMPARE(menus[m]->text(), QString::fromUtf8(kExpectedMenus[m].caption));
            const QList<QAction*> items = menus[m]->menu()->actions();
            QCOMPARE(items.size(), static_cast<qsizetype>(kExpectedMenus[m].items.size()));
            for (qsizetype i = 0; i < items.size(); ++i) {
                const ExpectedItem& expected = kExpectedMenus[m].items[static_cast<std::size_t>(i)];
                QAction* item = items[i];
                if (expected.name == nullptr) {
                    QVERIFY(item->isSeparator());
                    continue;
                }
                QCOMPARE(item->objectName(), QString::fromUtf8(expected.name));
                QCOMPARE(item->text(), QString::fromUtf8(expected.caption));
                QCOMPARE(item->shortcut(), QKeySequence(QString::fromUtf8(expected.shortcut)));
                QVERIFY(!item->shortcut().isEmpty());
            }
        }
    }

    void InsertAndReverseCarryCheckMarks() {
        RunningQuorle quorle;
        QAction* insert = quorle.Action("mnuInsert");
        QAction* reverse = quorle.Action("mnuReverse");
        QVERIFY(insert->isCheckable() && !insert->isChecked());
        QVERIFY(reverse->isCheckable() && !reverse->isChecked());

        insert->trigger();
        QVERIFY(insert->isChecked());
        QCOMPARE(insert->text(), QStringLiteral("上書モードに切り替え(&I)"));
        QCOMPARE(quorle.LabelText("lblIns"), QStringLiteral("挿入"));
        QVERIFY(quorle.Control<QRadioButton>("optIns(1)")->isChecked());
        insert->trigger();
        QVERIFY(!insert->isChecked());
        QCOMPARE(insert->text(), QStringLiteral("挿入モードに切り替え(&I)"));
        QCOMPARE(quorle.LabelText("lblIns"), QStringLiteral("上書"));
        QVERIFY(quorle.Control<QRadioButton>("optIns(0)")->isChecked());

        reverse->trigger();
        QVERIFY(reverse->isChecked());
        QVERIFY(quorle.Control<QCheckBox>("cheRev")->isChecked());
    }

    void CancelIsEnabledExactlyWhileAnOperationWaits() {
        RunningQuorle quorle;
        QAction* cancel = quorle.Action("mnuMap(4)");
        QVERIFY(!cancel->isEnabled());
        quorle.Key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Status(quorle), QStringLiteral("貼り付けるデータがありません。"));
        QVERIFY(!cancel->isEnabled());
        quorle.Key(Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(
            Status(quorle),
            QStringLiteral("塗りつぶす始点を設定して下さい。\n"
                           "現在上書きモードなので、塗りつぶしたところのデータはすべて消えます。"));
        QVERIFY(cancel->isEnabled());
        quorle.Key(Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(Status(quorle), QStringLiteral("動作は取り消されました。"));
        QVERIFY(!cancel->isEnabled());

        quorle.Key(Qt::Key_C, Qt::ControlModifier);
        QVERIFY(cancel->isEnabled());
        quorle.ClickCell(Qt::LeftButton, 1, 1);
        QVERIFY(cancel->isEnabled());
        quorle.ClickCell(Qt::LeftButton, 2, 2);
        QCOMPARE(Status(quorle), QStringLiteral("コピーが完了しました。"));
        QVERIFY(!cancel->isEnabled());
    }

    void ShortcutsReachTheirItems() {
        RunningQuorle quorle;
        quorle.Key(Qt::Key_Insert, Qt::ControlModifier);
        QVERIFY(quorle.editor().insertMode);
        quorle.Key(Qt::Key_R, Qt::ControlModifier);
        QVERIFY(quorle.editor().reverse);
        quorle.Key(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(quorle.editor().editMode, 1);
        quorle.Key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(quorle.editor().editMode, 2);
        quorle.Key(Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(quorle.editor().editMode, 0);

        ModalScript script;
        script.Then(IsForm("frmStage"), CancelStageDialog(QStringLiteral("ステージを開く")))
            .Then(IsForm("frmStage"), CancelStageDialog(QStringLiteral("ステージを保存する")))
            .Then(IsForm("frmStage"), CancelStageDialog(QStringLiteral("ステージを保存する")))
            .Then(IsForm("frmSize"),
                  [](QWidget* form) {
                      QCOMPARE(form->windowTitle(), QStringLiteral("サイズ設定"));
                      ClickButton(form, "cmdSize(1)");
                  })
            .Then(IsForm("frmPreview"), [](QWidget* form) {
                QCOMPARE(form->windowTitle(), QStringLiteral("プレビュー"));
                QTest::mouseClick(form, Qt::LeftButton);
            });
        script.Start();
        quorle.Key(Qt::Key_O, Qt::ControlModifier);
        quorle.Key(Qt::Key_A, Qt::ControlModifier);
        // A new map has no stage of its own: Save asks for one.
        quorle.Key(Qt::Key_S, Qt::ControlModifier);
        quorle.Key(Qt::Key_T, Qt::ControlModifier);
        quorle.Key(Qt::Key_P, Qt::ControlModifier);
        QVERIFY(script.Finished());

        quorle.ClickCell(Qt::LeftButton, 0, 0);
        QCOMPARE(quorle.window().windowTitle(), QStringLiteral("Quorle*"));
        ModalScript ask;
        ask.ThenMessage(QStringLiteral("変更されています。保存しますか？"), QMessageBox::Warning,
                        QStringLiteral("いいえ(&N)"));
        ask.Start();
        quorle.Key(Qt::Key_N, Qt::ControlModifier);
        QVERIFY(ask.Finished());
        QCOMPARE(quorle.window().windowTitle(), QStringLiteral("Quorle"));
        QCOMPARE(quorle.editor().map.At(0, 0).mainTile, 0);

        quorle.Key(Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!quorle.window().isVisible());
    }

    // The menus' keys are the window's commands wherever the focus is, the
    // text boxes included, as on the platform the editor comes from; the
    // boxes keep every other key for their numbers.
    void MenuShortcutsWinOverTheTextBoxes() {
        RunningQuorle quorle;
        for (const char* name : {"txtStage", "txtSize(0)", "txtSize(1)"}) {
            auto* box = quorle.Control<QLineEdit>(name);
            box->setFocus();
            QVERIFY(box->hasFocus());
            const QString text = box->text();
            box->selectAll();

            quorle.Key(Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(quorle.editor().editMode, 2);
            quorle.Key(Qt::Key_X, Qt::ControlModifier);
            QCOMPARE(quorle.editor().editMode, 1);
            quorle.Key(Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(Status(quorle), QStringLiteral("貼り付けるデータがありません。"));
            quorle.Key(Qt::Key_E, Qt::ControlModifier);
            QCOMPARE(quorle.editor().editMode, 0);
            const bool insert = quorle.editor().insertMode;
            quorle.Key(Qt::Key_Insert, Qt::ControlModifier);
            QCOMPARE(quorle.editor().insertMode, !insert);

            ModalScript script;
            script.Then(IsForm("frmStage"),
                        CancelStageDialog(QStringLiteral("ステージを保存する")));
            script.Start();
            quorle.Key(Qt::Key_A, Qt::ControlModifier);
            QVERIFY(script.Finished());
            QCOMPARE(box->text(), text);

            QTest::keyClick(box, Qt::Key_End);
            QTest::keyClicks(box, "7");
            QCOMPARE(box->text(), text + "7");
            QTest::keyClick(box, Qt::Key_Backspace);
        }
    }
};

const bool registered = RegisterTestClass("Menus", [] { return std::make_unique<MenuTests>(); });

}  // namespace
}  // namespace quorle::testing

#include "menus_test.moc"
