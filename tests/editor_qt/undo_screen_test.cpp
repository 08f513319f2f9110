// Undo on a real display: the view shows the map without the undone cells,
// and the saved file holds what the view shows.
#include <QComboBox>
#include <QScreen>
#include <QTest>

#include "common/file_access.h"
#include "common/stage_file.h"
#include "common/stage_naming.h"
#include "editor/core/geometry.h"
#include "tests/editor_qt/qt_test_support.h"

namespace quorle::testing {
namespace {

QPoint Centre(int cx, int cy) {
    return {cx * kCell + kCell / 2, cy * kCell + kCell / 2};
}

class UndoScreenTests : public QObject {
    Q_OBJECT

  private slots:
    void PaintUndoSaveAndTheFileLacksTheUndoneCell() {
        RunningQuorle quorle;
        QVERIFY(QTest::qWaitForWindowExposed(&quorle.window()));
        Editor& editor = quorle.editor();
        // A drag along row 6, then one more cell that is taken back.
        quorle.Press("pctMain", Qt::LeftButton, Centre(1, 6).x(), Centre(1, 6).y());
        quorle.Move("pctMain", Centre(4, 6).x(), Centre(4, 6).y());
        quorle.Release("pctMain", Qt::LeftButton, Centre(4, 6).x(), Centre(4, 6).y());
        quorle.Press("pctBase", Qt::LeftButton, 5 * kCell + 4, 4);
        quorle.ClickCell(Qt::LeftButton, 8, 2);
        QCOMPARE(editor.map.At(8, 2).mainTile, 5);
        quorle.Key(Qt::Key_Z, Qt::ControlModifier);

        for (int i = 0; i < 10; ++i) {
            QCoreApplication::processEvents();
            QTest::qWait(10);
        }
        PictureView* view = quorle.Picture("pctMain");
        const QPoint topLeft = view->mapToGlobal(QPoint(0, 0));
        const QImage shown = view->screen()
                                 ->grabWindow(0, topLeft.x(), topLeft.y(), kViewWidth, kViewHeight)
                                 .toImage();
        QCOMPARE(DifferingPixels(shown, WithOutlines(editor.pctMain.image,
                                                     {&editor.shpRegion, &editor.shpMain})),
                 0);
        // Where the block was, the background shows again: it repeats every
        // 128 pixels.
        QCOMPARE(editor.pctMain.image.Pixel(8 * kCell + 5, 2 * kCell + 5),
                 editor.pctMain.image.Pixel(8 * kCell + 5 - 128, 2 * kCell + 5));

        ModalScript save;
        save.Then(IsForm("frmStage"), [](QWidget* form) {
            auto* stage = form->findChild<QComboBox*>(QStringLiteral("cmbStage"));
            TypeInto(stage->lineEdit(), QStringLiteral("4"));
            ClickButton(form, "cmdStage(0)");
        });
        save.Start();
        quorle.Key(Qt::Key_A, Qt::ControlModifier);
        QVERIFY(save.Finished());

        const auto bytes = tovek::ReadFileBytes(tovek::StageFilePath(quorle.StageFolder(), 4));
        QVERIFY(bytes.has_value());
        const tovek::EditorStage stage = tovek::ReadEditorStage(*bytes);
        const auto at = [&stage](int x, int y) { return stage.cells[y * stage.width + x]; };
        for (int x = 1; x <= 4; ++x)
            QCOMPARE(int{at(x, 6).mainTile}, 1);
        QCOMPARE(at(8, 2), MapCell{});
        int painted = 0;
        for (const MapCell& cell : stage.cells)
            painted += cell == MapCell{} ? 0 : 1;
        QCOMPARE(painted, 4);
    }
};

const bool registered =
    RegisterTestClass("UndoScreen", [] { return std::make_unique<UndoScreenTests>(); });

}  // namespace
}  // namespace quorle::testing

#include "undo_screen_test.moc"
