// A stage author's session from start to finish, through the window alone:
// pick, paint, drag, erase, cut and paste, resize, save, reopen, preview.
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "common/file_access.h"
#include "common/stage_file.h"
#include "tests/editor_qt/qt_test_support.h"

namespace quorle::testing {
namespace {

QPoint Centre(int cx, int cy) {
    return {cx * 32 + 16, cy * 32 + 16};
}

class SessionTests : public QObject {
    Q_OBJECT

  private slots:
    void AStageIsMadeSavedReopenedAndPreviewed() {
        RunningQuorle quorle;
        Editor& editor = quorle.editor();
        auto status = [&quorle] { return quorle.LabelText("lblStatus"); };

        // Pick tile 3 for the left button and paint a row by dragging.
        quorle.Press("pctBase", Qt::LeftButton, 3 * 32 + 10, 10);
        quorle.Release("pctBase", Qt::LeftButton, 3 * 32 + 10, 10);
        QCOMPARE(editor.chosenTile[0], 3);
        quorle.ClickCell(Qt::LeftButton, 1, 7);
        quorle.Press("pctMain", Qt::LeftButton, Centre(2, 7).x(), Centre(2, 7).y());
        for (int cx = 3; cx <= 6; ++cx)
            quorle.Move("pctMain", Centre(cx, 7).x(), Centre(cx, 7).y());
        quorle.Release("pctMain", Qt::LeftButton, Centre(6, 7).x(), Centre(6, 7).y());
        // Water from the palette with the right button, one cell of it erased
        // again with the eraser picked back.
        quorle.Press("pctBase", Qt::RightButton, 9 * 32 + 5, 32 + 5);  // code 25
        quorle.ClickCell(Qt::RightButton, 4, 6);
        quorle.ClickCell(Qt::RightButton, 5, 6);
        quorle.Press("pctBase", Qt::RightButton, 5, 5);  // code 0, the eraser
        quorle.ClickCell(Qt::RightButton, 5, 6);
        quorle.ClickCell(Qt::RightButton, 6, 7);
        for (int cx = 1; cx <= 5; ++cx)
            QCOMPARE(editor.map.At(cx, 7).mainTile, 3);
        QCOMPARE(editor.map.At(6, 7).mainTile, 0);
        QCOMPARE(editor.map.At(4, 6).water, 25);
        QCOMPARE(editor.map.At(5, 6).water, 0);
        QCOMPARE(quorle.window().windowTitle(), QStringLiteral("Quorle*"));

        // Cut cells (1..2, 7) and paste them at (9, 3).
        quorle.Key(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(status(), QStringLiteral("始点を設定して下さい。"));
        quorle.ClickCell(Qt::LeftButton, 2, 7);
        QCOMPARE(status(), QStringLiteral("始点:(2, 7)\n終点を指定して下さい。"));
        quorle.ClickCell(Qt::RightButton, 1, 7);
        QCOMPARE(status(), QStringLiteral("切り取りが完了しました。"));
        QCOMPARE(editor.map.At(1, 7).mainTile, 0);
        QCOMPARE(editor.map.At(2, 7).mainTile, 0);
        quorle.Key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(status(), QStringLiteral("現在2×1のデータがコピーされています。\n"
                                          "左上端の移動位置を設定して下さい。"));
        quorle.ClickCell(Qt::LeftButton, 9, 3);
        QCOMPARE(status(), QStringLiteral("貼り付けが完了しました。"));
        QCOMPARE(editor.map.At(9, 3).mainTile, 3);
        QCOMPARE(editor.map.At(10, 3).mainTile, 3);

        // Shrink to 20 x 10 through the size boxes: leaving the width box
        // asks once, Enter in the height box again.
        ModalScript resize;
        for (int i = 0; i < 2; ++i) {
            resize.ThenMessage(QStringLiteral("マップサイズを変更します。"),
                               QMessageBox::Information, QStringLiteral("OK"));
        }
        resize.Start();
        TypeInto(quorle.Control<QLineEdit>("txtSize(0)"), QStringLiteral("20"));
        TypeInto(quorle.Control<QLineEdit>("txtSize(1)"), QStringLiteral("10"));
        quorle.Key(Qt::Key_Return);
        QVERIFY(resize.Finished());
        QCOMPARE(quorle.Control<QLineEdit>("txtSize(1)")->text(), QStringLiteral("10"));
        QCOMPARE(editor.mapWidth, 20);
        QCOMPARE(editor.mapHeight, 10);

        // Save as stage 5.
        ModalScript save;
        save.Then(IsForm("frmStage"), [](QWidget* form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("ステージを保存する"));
            auto* stage = form->findChild<QComboBox*>(QStringLiteral("cmbStage"));
            TypeInto(stage->lineEdit(), QStringLiteral("5"));
            ClickButton(form, "cmdStage(0)");
        });
        save.Start();
        quorle.Picture("pctMain")->setFocus();
        quorle.Key(Qt::Key_A, Qt::ControlModifier);
        QVERIFY(save.Finished());
        QCOMPARE(status(), QStringLiteral("データ5に保存しました。"));
        QCOMPARE(quorle.window().windowTitle(), QStringLiteral("Quorle(5面)"));
        const auto bytes = tovek::ReadFileBytes(quorle.StageFolder() / "m05.dat");
        QVERIFY(bytes.has_value());
        const tovek::EditorStage saved = tovek::ReadEditorStage(*bytes);
        QCOMPARE(saved.width, 20);
        QCOMPARE(saved.height, 10);
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 20; ++x) {
                const MapCell& cell = saved.cells[y * 20 + x];
                const bool tile = (y == 7 && x >= 3 && x <= 5) || (y == 3 && (x == 9 || x == 10));
                QCOMPARE(int{cell.mainTile}, tile ? 3 : 0);
                QCOMPARE(int{cell.water}, x == 4 && y == 6 ? 25 : 0);
            }
        }

        // A new map, then stage 5 again.
        quorle.Key(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(quorle.window().windowTitle(), QStringLiteral("Quorle"));
        QCOMPARE(editor.mapWidth, 48);
        ModalScript open;
        open.Then(IsForm("frmStage"), [](QWidget* form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("ステージを開く"));
            auto* stage = form->findChild<QComboBox*>(QStringLiteral("cmbStage"));
            QCOMPARE(stage->count(), 1);
            QCOMPARE(stage->itemText(0), QStringLiteral("5"));
            stage->setCurrentIndex(0);
            emit stage->textActivated(stage->itemText(0));
            ClickButton(form, "cmdStage(0)");
        });
        open.Start();
        quorle.Key(Qt::Key_O, Qt::ControlModifier);
        QVERIFY(open.Finished());
        QCOMPARE(status(), QStringLiteral("データ5から読み込みました。"));
        QCOMPARE(quorle.window().windowTitle(), QStringLiteral("Quorle(5面)"));
        QCOMPARE(quorle.Control<QLineEdit>("txtSize(0)")->text(), QStringLiteral("20"));
        QCOMPARE(quorle.Control<QLineEdit>("txtStage")->text(), QStringLiteral("5"));
        QCOMPARE(editor.map.At(10, 3).mainTile, 3);
        QCOMPARE(editor.map.At(4, 6).water, 25);

        // The preview: 40 x 20 pixels, the tiles black and the water light blue.
        ModalScript preview;
        preview.Then(IsForm("frmPreview"), [](QWidget* form) {
            QCOMPARE(form->size(), QSize(40, 20));
            const QImage shown = form->grab().toImage();
            QCOMPARE(shown.pixel(18, 6) & 0xFFFFFFu, 0x000000u);
            QCOMPARE(shown.pixel(8, 12) & 0xFFFFFFu, 0x0080FFu);
            QCOMPARE(shown.pixel(0, 0) & 0xFFFFFFu, 0xFFFFFFu);
            QTest::mouseClick(form, Qt::LeftButton);
        });
        preview.Start();
        quorle.Key(Qt::Key_P, Qt::ControlModifier);
        QVERIFY(preview.Finished());
    }
};

const bool registered =
    RegisterTestClass("Session", [] { return std::make_unique<SessionTests>(); });

}  // namespace
}  // namespace quorle::testing

#include "session_test.moc"
