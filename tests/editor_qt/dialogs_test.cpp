// The modal windows: the stage dialog, the size dialog and the preview give
// back what the editor expects, however they are closed.
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "tests/editor_qt/qt_test_support.h"

namespace quorle::testing {
namespace {

QStringList Items(QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

template <typename Widget>
Widget* Child(QWidget* form, const char* name) {
    return dynamic_cast<Widget*>(form->findChild<QObject*>(QString::fromUtf8(name)));
}

class DialogTests : public QObject {
    Q_OBJECT

  private slots:
    void TheStageDialogListsFiltersAndChooses() {
        RunningQuorle quorle;
        WriteEmptyStage(quorle.StageFolder(), 4);
        WriteEmptyStage(quorle.StageFolder(), 9);
        ModalScript script;
        script.Then(IsForm("frmStage"), [](QWidget* form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("ステージを開く"));
            auto* mode = Child<QComboBox>(form, "cmbMode");
            QCOMPARE(Items(mode), (QStringList{QStringLiteral("すべて表示"),
                                               QStringLiteral("データがあるものを表示"),
                                               QStringLiteral("データがないものを表示")}));
            QCOMPARE(mode->currentIndex(), 1);
            auto* stage = Child<QComboBox>(form, "cmbStage");
            QCOMPARE(Items(stage), (QStringList{"4", "9"}));
            QCOMPARE(stage->currentText(), QString());

            mode->setCurrentIndex(2);
            emit mode->activated(2);
            QCOMPARE(stage->count(), 98);
            mode->setCurrentIndex(0);
            emit mode->activated(0);
            QCOMPARE(stage->count(), 100);

            stage->setCurrentIndex(8);
            emit stage->textActivated(stage->itemText(8));
            ClickButton(form, "cmdStage(0)");
        });
        script.Start();
        quorle.Action("mnuOpen")->trigger();
        QVERIFY(script.Finished());
        QCOMPARE(quorle.editor().currentStage, 9);
        QCOMPARE(quorle.window().windowTitle(), QStringLiteral("Quorle(9面)"));
    }

    void EnterInTheStageBoxChoosesAndTypedNumbersAreBroughtIntoRange() {
        RunningQuorle quorle;
        ModalScript script;
        script
            .Then(IsForm("frmStage"),
                  [](QWidget* form) {
                      QCOMPARE(form->windowTitle(), QStringLiteral("ステージを保存する"));
                      QCOMPARE(Child<QComboBox>(form, "cmbMode")->currentIndex(), 2);
                      QLineEdit* edit = Child<QComboBox>(form, "cmbStage")->lineEdit();
                      TypeInto(edit, QStringLiteral("150"));
                      QTest::keyClick(edit, Qt::Key_Return);
                  })
            .Then(IsForm("frmStage"), [](QWidget* form) {
                TypeInto(Child<QComboBox>(form, "cmbStage")->lineEdit(), QStringLiteral("abc"));
                ClickButton(form, "cmdStage(0)");
            });
        script.Start();
        quorle.Action("mnuSaveAs")->trigger();
        QCOMPARE(quorle.editor().currentStage, 100);
        QVERIFY(std::filesystem::exists(quorle.StageFolder() / "m00.dat"));
        QCOMPARE(quorle.LabelText("lblStatus"), QStringLiteral("データ100に保存しました。"));
        // "abc" keeps the stage chosen before; it exists, so the editor asks.
        ModalScript overwrite;
        overwrite.ThenMessage(
            QStringLiteral("データ100にはすでにデータが保存されています。上書きしますか？"),
            QMessageBox::Information, QStringLiteral("いいえ(&N)"));
        overwrite.Start();
        quorle.Action("mnuSaveAs")->trigger();
        QVERIFY(script.Finished());
        QVERIFY(overwrite.Finished());
    }

    void TheStageBoxChoosesTheNumberTypedNotAListedOneItBegins() {
        RunningQuorle quorle;
        WriteEmptyStage(quorle.StageFolder(), 1);
        ModalScript script;
        script.Then(IsForm("frmStage"), [&script](QWidget* form) {
            // Stage 1 exists, so the save list starts 2, 3, ..., 10, ...
            QLineEdit* edit = Child<QComboBox>(form, "cmbStage")->lineEdit();
            TypeInto(edit, QStringLiteral("1"));
            QCOMPARE(edit->text(), QStringLiteral("1"));
            script.NextMessage(
                QStringLiteral("データ1にはすでにデータが保存されています。上書きしますか？"),
                QMessageBox::Information, QStringLiteral("いいえ(&N)"));
            QTest::keyClick(edit, Qt::Key_Return);
        });
        script.Start();
        quorle.Action("mnuSaveAs")->trigger();
        QVERIFY(script.Finished());
        QCOMPARE(quorle.editor().targetStage, 1);
        QVERIFY(!std::filesystem::exists(quorle.StageFolder() / "m10.dat"));
    }

    void AFolderChangeRefreshesTheListAndOutlivesCancel() {
        RunningQuorle quorle;
        const std::filesystem::path other = quorle.ProgramFolder() / "other";
        std::filesystem::create_directory(other);
        WriteEmptyStage(other, 3);
        WriteEmptyStage(other, 7);
        ModalScript script;
        script.Then(IsForm("frmStage"), [&other](QWidget* form) {
            auto* folder = Child<QLineEdit>(form, "txtFolder");
            TypeInto(folder, QString::fromStdString(other.string()));
            QTest::keyClick(folder, Qt::Key_Return);
            QVERIFY(form->isVisible());  // Enter in the folder box is not OK
            QCOMPARE(Items(Child<QComboBox>(form, "cmbStage")), (QStringList{"3", "7"}));
            ClickButton(form, "cmdStage(1)");
        });
        script.Start();
        quorle.Action("mnuOpen")->trigger();
        QVERIFY(script.Finished());
        QCOMPARE(quorle.editor().stageFolder, other.string());
        QCOMPARE(quorle.editor().currentStage, 0);
    }

    void EscapeClosesTheStageDialogAsCancel() {
        RunningQuorle quorle;
        WriteEmptyStage(quorle.StageFolder(), 2);
        ModalScript script;
        script.Then(IsForm("frmStage"), [](QWidget* form) {
            TypeInto(Child<QComboBox>(form, "cmbStage")->lineEdit(), QStringLiteral("2"));
            QTest::keyClick(form, Qt::Key_Escape);
        });
        script.Start();
        quorle.Action("mnuOpen")->trigger();
        QVERIFY(script.Finished());
        QCOMPARE(quorle.editor().currentStage, 0);
        QVERIFY(!quorle.editor().dialogAccepted);
    }

    void TheSizeDialogRefusesAsksAndResizes() {
        RunningQuorle quorle;
        quorle.ClickCell(Qt::LeftButton, 0, 0);
        ModalScript script;
        script.Then(IsForm("frmSize"), [&script](QWidget* form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("サイズ設定"));
            auto* width = Child<QLineEdit>(form, "txtSize(0)");
            auto* height = Child<QLineEdit>(form, "txtSize(1)");
            QCOMPARE(width->text(), QStringLiteral("48"));
            QCOMPARE(height->text(), QStringLiteral("8"));
            TypeInto(width, QStringLiteral("11"));
            script.NextMessage(QStringLiteral("12～255の数字を入れて下さい。"),
                               QMessageBox::Critical, QStringLiteral("OK"));
            ClickButton(form, "cmdSize(0)");
            QVERIFY(form->isVisible());
            QCOMPARE(width->text(), QStringLiteral("48"));
            QCOMPARE(width->selectedText(), QStringLiteral("48"));

            TypeInto(width, QStringLiteral("20"));
            TypeInto(height, QStringLiteral("255"));
            script.NextMessage(QStringLiteral("マップサイズを変更します。"),
                               QMessageBox::Information, QStringLiteral("OK"));
            QTest::keyClick(height, Qt::Key_Return);  // Enter presses OK
        });
        script.Start();
        quorle.Action("mnuSize")->trigger();
        QVERIFY(script.Finished());
        QCOMPARE(quorle.editor().mapWidth, 20);
        QCOMPARE(quorle.editor().mapHeight, 255);
        QCOMPARE(quorle.editor().map.At(0, 0).mainTile, 1);
        QCOMPARE(quorle.Control<QLineEdit>("txtSize(0)")->text(), QStringLiteral("20"));
        QCOMPARE(quorle.Control<QLineEdit>("txtSize(1)")->text(), QStringLiteral("255"));
    }

    void CancellingTheSizeDialogChangesNothing() {
        RunningQuorle quorle;
        ModalScript script;
        script
            .Then(IsForm("frmSize"),
                  [](QWidget* form) {
                      TypeInto(Child<QLineEdit>(form, "txtSize(0)"), QStringLiteral("30"));
                      ClickButton(form, "cmdSize(1)");
                  })
            .Then(IsForm("frmSize"),
                  [&script](QWidget* form) {
                      TypeInto(Child<QLineEdit>(form, "txtSize(0)"), QStringLiteral("30"));
                      script.NextMessage(QStringLiteral("マップサイズを変更します。"),
                                         QMessageBox::Information, QStringLiteral("キャンセル"));
                      ClickButton(form, "cmdSize(0)");
                      QVERIFY(!form->isVisible());  // closed also after Cancel
                  })
            .Then(IsForm("frmSize"), [](QWidget* form) {
                TypeInto(Child<QLineEdit>(form, "txtSize(0)"), QStringLiteral("30"));
                QTest::keyClick(form, Qt::Key_Escape);
            });
        script.Start();
        for (int i = 0; i < 3; ++i)
            quorle.Action("mnuSize")->trigger();
        QVERIFY(script.Finished());
        QCOMPARE(quorle.editor().mapWidth, 48);
        QVERIFY(!quorle.editor().modified);
    }

    void ThePreviewShowsTheOverviewExactlyAndClosesOnAnyClick() {
        RunningQuorle quorle;
        quorle.ClickCell(Qt::LeftButton, 2, 1);
        ModalScript script;
        const auto check = [](QWidget* form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("プレビュー"));
            QCOMPARE(form->size(), QSize(96, 16));
            QCOMPARE(form->contentsRect(), QRect(0, 0, 96, 16));
            const QImage shown = form->grab().toImage();
            tovek::Surface expected(96, 16, 0xFFFFFF);
            expected.FillRect(4, 2, 2, 2, 0x000000);  // tile 1 at (2, 1) is black
            QCOMPARE(DifferingPixels(shown, expected), 0);
        };
        script
            .Then(IsForm("frmPreview"),
                  [check](QWidget* form) {
                      check(form);
                      QTest::mouseClick(form, Qt::RightButton, Qt::NoModifier, QPoint(90, 10));
                  })
            .Then(IsForm("frmPreview"),
                  [](QWidget* form) { QTest::keyClick(form, Qt::Key_Escape); });
        script.Start();
        quorle.Action("mnuPreview")->trigger();
        quorle.Action("mnuPreview")->trigger();
        QVERIFY(script.Finished());
    }

    void MessageBoxesAnswerWithTheButtonPressed() {
        RunningQuorle quorle;
        quorle.ClickCell(Qt::LeftButton, 0, 0);
        ModalScript script;
        script.Then([](QWidget* widget) { return dynamic_cast<QMessageBox*>(widget) != nullptr; },
                    [](QWidget* widget) {
                        auto* box = dynamic_cast<QMessageBox*>(widget);
                        QStringList captions;
                        for (QAbstractButton* button : box->buttons())
                            captions.append(button->text());
                        captions.sort();
                        QStringList expected{QStringLiteral("はい(&Y)"),
                                             QStringLiteral("いいえ(&N)"),
                                             QStringLiteral("キャンセル")};
                        expected.sort();
                        QCOMPARE(captions, expected);
                        QTest::keyClick(box, Qt::Key_Escape);  // closing answers Cancel
                    });
        // Yes saves first: the save dialog of the new map opens.
        script.ThenMessage(QStringLiteral("変更されています。保存しますか？"), QMessageBox::Warning,
                           QStringLiteral("はい(&Y)"));
        script.Then(IsForm("frmStage"), [](QWidget* form) {
            TypeInto(Child<QComboBox>(form, "cmbStage")->lineEdit(), QStringLiteral("6"));
            ClickButton(form, "cmdStage(0)");
        });
        script.Start();
        quorle.Action("mnuNew")->trigger();
        QCOMPARE(quorle.editor().map.At(0, 0).mainTile, 1);
        quorle.Action("mnuNew")->trigger();
        QVERIFY(script.Finished());
        QVERIFY(std::filesystem::exists(quorle.StageFolder() / "m06.dat"));
        QCOMPARE(quorle.window().windowTitle(), QStringLiteral("Quorle"));
        QCOMPARE(quorle.editor().map.At(0, 0).mainTile, 0);
    }
};

const bool registered =
    RegisterTestClass("Dialogs", [] { return std::make_unique<DialogTests>(); });

}  // namespace
}  // namespace quorle::testing

#include "dialogs_test.moc"
