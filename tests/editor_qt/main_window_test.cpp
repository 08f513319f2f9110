// The main window's controls: what they show, and the mouse, scroll bars,
// buttons and boxes handing their events to the editor.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "editor/core/geometry.h"
#include "editor/qt/surface_image.h"
#include "tests/editor_qt/qt_test_support.h"

namespace quorle::testing {
namespace {

QPoint CellCentre(int cx, int cy) {
    return {cx * kCell + kCell / 2, cy * kCell + kCell / 2};
}

// Whether the widget as painted shows `expected` at (x, y).
bool ShowsPixel(QWidget* widget, int x, int y, std::uint32_t expected) {
    const QImage shown = widget->grab().toImage();
    return (shown.pixel(x, y) & 0xFFFFFFu) == expected;
}

class MainWindowTests : public QObject {
    Q_OBJECT

  private slots:
    void EveryControlShowsItsStartingText() {
        RunningQuorle quorle;
        QCOMPARE(quorle.window().windowTitle(), QStringLiteral("Quorle"));
        QCOMPARE(quorle.LabelText("lblPlace"), QStringLiteral("現在位置"));
        QCOMPARE(quorle.LabelText("lblIns"), QStringLiteral("上書"));
        QCOMPARE(quorle.LabelText("lblSize"), QStringLiteral("×"));
        QCOMPARE(quorle.LabelText("lblStage"), QStringLiteral("Stage"));
        QCOMPARE(quorle.LabelText("lblStatus"), QString());
        QCOMPARE(quorle.Control<QLineEdit>("txtSize(0)")->text(), QStringLiteral("48"));
        QCOMPARE(quorle.Control<QLineEdit>("txtSize(1)")->text(), QStringLiteral("8"));
        QCOMPARE(quorle.Control<QLineEdit>("txtStage")->text(), QStringLiteral("1"));
        QCOMPARE(quorle.Control<QPushButton>("cmdStage(0)")->text(), QStringLiteral("←"));
        QCOMPARE(quorle.Control<QPushButton>("cmdStage(1)")->text(), QStringLiteral("→"));
        QCOMPARE(quorle.Control<QRadioButton>("optIns(0)")->text(), QStringLiteral("上書"));
        QCOMPARE(quorle.Control<QRadioButton>("optIns(1)")->text(), QStringLiteral("挿入"));
        QVERIFY(quorle.Control<QRadioButton>("optIns(0)")->isChecked());
        QCOMPARE(quorle.Control<QCheckBox>("cheRev")->text(), QStringLiteral("逆方向"));
        QVERIFY(!quorle.Control<QCheckBox>("cheRev")->isChecked());
        bool leftLabel = false;
        bool rightLabel = false;
        for (QLabel* label : quorle.window().findChildren<QLabel*>()) {
            leftLabel = leftLabel || label->text() == QStringLiteral("左クリック");
            rightLabel = rightLabel || label->text() == QStringLiteral("右クリック");
        }
        QVERIFY(leftLabel && rightLabel);
    }

    void PicturesHaveTheirSizesAndTheBarsLieAlongTheView() {
        RunningQuorle quorle;
        QCOMPARE(quorle.Picture("pctMain")->size(), QSize(384, 256));
        QCOMPARE(quorle.Picture("pctBase")->size(), QSize(512, 160));
        QCOMPARE(quorle.Picture("pctBack")->size(), QSize(112, 112));
        QCOMPARE(quorle.Picture("pctChosen(0)")->size(), QSize(32, 32));
        QCOMPARE(quorle.Picture("pctChosen(1)")->size(), QSize(32, 32));
        const QRect view = quorle.Picture("pctMain")->geometry();
        QCOMPARE(quorle.Control<QScrollBar>("hscrMain")->geometry(),
                 QRect(view.left(), view.bottom() + 1, 384, 16));
        QCOMPARE(quorle.Control<QScrollBar>("vscrMain")->geometry(),
                 QRect(view.right() + 1, view.top(), 16, 256));
    }

    void PicturesShowTheEditorsSurfacesExactly() {
        RunningQuorle quorle;
        Editor& editor = quorle.editor();
        quorle.ClickCell(Qt::LeftButton, 3, 2);
        quorle.Move("pctBase", 100, 100);
        quorle.Move("pctBack", 50, 50);
        const std::vector<std::pair<const char*, tovek::Surface>> expected{
            {"pctMain", WithOutlines(editor.pctMain.image, {&editor.shpRegion, &editor.shpMain})},
            {"pctBase", WithOutlines(editor.pctBase.image, {&editor.shpBase})},
            {"pctBack", WithOutlines(editor.pctBack.image, {&editor.shpBack})},
            {"pctChosen(0)", editor.pctChosen[0].image},
            {"pctChosen(1)", editor.pctChosen[1].image},
        };
        for (const auto& [name, picture] : expected) {
            const QImage shown = quorle.Picture(name)->grab().toImage();
            QVERIFY2(DifferingPixels(shown, picture) == 0, name);
        }
    }

    void FramesAreDrawnOverTheViewInTheirColours() {
        RunningQuorle quorle;
        PictureView* view = quorle.Picture("pctMain");
        quorle.Move("pctMain", 100, 40);  // cell (3, 1)
        QVERIFY(ShowsPixel(view, 96, 32, 0xFF0000));
        QVERIFY(ShowsPixel(view, 127, 63, 0xFF0000));
        QVERIFY(ShowsPixel(view, 110, 45, quorle.editor().pctMain.image.Pixel(110, 45)));

        quorle.Key(Qt::Key_F, Qt::ControlModifier);  // fill waits: grey cursor
        QVERIFY(ShowsPixel(view, 96, 32, 0x808080));
        quorle.Key(Qt::Key_C, Qt::ControlModifier);  // copy waits: black cursor
        QVERIFY(ShowsPixel(view, 96, 32, 0x000000));
        quorle.ClickCell(Qt::LeftButton, 5, 5);
        quorle.ClickCell(Qt::LeftButton, 6, 6);
        // The region frame outlines the copied cells: (5, 5) to (6, 6).
        const Frame& region = quorle.editor().shpRegion;
        QVERIFY(region.visible);
        QCOMPARE(QRect(region.left, region.top, region.width, region.height),
                 QRect(160, 160, 64, 64));
        QVERIFY(ShowsPixel(view, 160, 200, region.colour));
        QVERIFY(ShowsPixel(view, 223, 170, region.colour));

        // Scrolled to the right, the frame's start lies left of the view and
        // only its right part shows.
        quorle.Control<QScrollBar>("hscrMain")->setValue(6);
        QCOMPARE(quorle.editor().shpRegion.left, -32);
        QVERIFY(ShowsPixel(view, 31, 170, region.colour));
        QVERIFY(ShowsPixel(view, 0, 170, quorle.editor().pctMain.image.Pixel(0, 170)));
    }

    void PressAndDragPaintEveryNewCellOnce() {
        RunningQuorle quorle;
        Editor& editor = quorle.editor();
        quorle.Press("pctMain", Qt::LeftButton, 383, 255);
        quorle.Release("pctMain", Qt::LeftButton, 383, 255);
        QCOMPARE(editor.map.At(11, 7).mainTile, 1);
        QCOMPARE(quorle.LabelText("lblPlace"), QStringLiteral("11, 7"));
        quorle.Press("pctMain", Qt::LeftButton, 384, 100);
        QCOMPARE(editor.map.At(11, 3).mainTile, 0);

        quorle.Press("pctMain", Qt::LeftButton, CellCentre(1, 2).x(), CellCentre(1, 2).y());
        for (int cx = 2; cx <= 5; ++cx) {
            quorle.Move("pctMain", CellCentre(cx, 2).x(), CellCentre(cx, 2).y());
        }
        quorle.Release("pctMain", Qt::LeftButton, CellCentre(5, 2).x(), CellCentre(5, 2).y());
        for (int cx = 1; cx <= 5; ++cx)
            QCOMPARE(editor.map.At(cx, 2).mainTile, 1);
        QCOMPARE(editor.map.At(6, 2).mainTile, 0);
        QCOMPARE(quorle.window().windowTitle(), QStringLiteral("Quorle*"));

        quorle.ClickCell(Qt::RightButton, 3, 2);  // the right button's eraser
        QCOMPARE(editor.map.At(3, 2).mainTile, 0);
    }

    void MovesWithoutButtonsOnlyFollowTheMouse() {
        RunningQuorle quorle;
        quorle.Move("pctMain", 100, 40);
        QCOMPARE(quorle.LabelText("lblPlace"), QStringLiteral("3, 1"));
        QCOMPARE(quorle.editor().shpMain.left, 96);
        QCOMPARE(quorle.editor().map.At(3, 1).mainTile, 0);
        QVERIFY(!quorle.editor().modified);
    }

    void BothButtonsOrTheMiddleButtonDoNothing() {
        RunningQuorle quorle;
        Editor& editor = quorle.editor();
        quorle.Press("pctMain", Qt::MiddleButton, CellCentre(2, 2).x(), CellCentre(2, 2).y());
        quorle.Release("pctMain", Qt::MiddleButton, CellCentre(2, 2).x(), CellCentre(2, 2).y());
        QCOMPARE(quorle.LabelText("lblPlace"), QStringLiteral("現在位置"));
        QVERIFY(!editor.modified);

        quorle.Press("pctMain", Qt::LeftButton, CellCentre(0, 0).x(), CellCentre(0, 0).y());
        quorle.Press("pctMain", Qt::RightButton, CellCentre(0, 0).x(), CellCentre(0, 0).y());
        quorle.Move("pctMain", CellCentre(1, 0).x(), CellCentre(1, 0).y());
        quorle.Move("pctMain", CellCentre(2, 0).x(), CellCentre(2, 0).y());
        QCOMPARE(editor.map.At(1, 0).mainTile, 0);
        QCOMPARE(editor.map.At(2, 0).mainTile, 0);
        QCOMPARE(quorle.LabelText("lblPlace"), QStringLiteral("0, 0"));
        quorle.Release("pctMain", Qt::RightButton, CellCentre(2, 0).x(), CellCentre(2, 0).y());
        quorle.Release("pctMain", Qt::LeftButton, CellCentre(2, 0).x(), CellCentre(2, 0).y());
    }

    void ThePalettePicksAndHighlights() {
        RunningQuorle quorle;
        Editor& editor = quorle.editor();
        quorle.Move("pctBase", 13 * 32 + 5, 20);  // the fast half of lift 13
        QCOMPARE(QRect(editor.shpBase.left, editor.shpBase.top, editor.shpBase.width,
                       editor.shpBase.height),
                 QRect(416, 16, 32, 16));
        QVERIFY(ShowsPixel(quorle.Picture("pctBase"), 416, 16, 0xFF0000));

        quorle.Press("pctBase", Qt::RightButton, 5 * 32 + 3, 3);
        QCOMPARE(editor.chosenTile[1], 5);
        const QImage chosen = quorle.Picture("pctChosen(1)")->grab().toImage();
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                QCOMPARE(chosen.pixel(x, y) & 0xFFFFFFu, editor.pctBase.image.Pixel(160 + x, y));
            }
        }
        quorle.ClickCell(Qt::RightButton, 4, 4);
        QCOMPARE(editor.map.At(4, 4).mainTile, 5);
    }

    void TheBackgroundChooserSetsTheBackground() {
        RunningQuorle quorle;
        quorle.Move("pctBack", 60, 90);
        QCOMPARE(quorle.editor().shpBack.left, 56);
        QCOMPARE(quorle.editor().shpBack.top, 84);
        quorle.Press("pctBack", Qt::MiddleButton, 60, 90);
        QCOMPARE(quorle.editor().background, 14);
        QCOMPARE(quorle.window().windowTitle(), QStringLiteral("Quorle*"));
    }

    void ScrollBarsMoveByCellsAndViews() {
        RunningQuorle quorle;
        auto* bar = quorle.Control<QScrollBar>("hscrMain");
        QCOMPARE(bar->maximum(), 36);
        QCOMPARE(bar->singleStep(), 1);
        QCOMPARE(bar->pageStep(), 12);
        QCOMPARE(quorle.Control<QScrollBar>("vscrMain")->maximum(), 0);
        const unsigned before = quorle.editor().pctMain.refreshes;
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(quorle.editor().hscrMain.value, 13);
        QVERIFY(quorle.editor().pctMain.refreshes > before);
        quorle.ClickCell(Qt::LeftButton, 0, 0);
        QCOMPARE(quorle.editor().map.At(13, 0).mainTile, 1);
    }

    void OptionButtonsAndTheCheckBoxSwitchModes() {
        RunningQuorle quorle;
        QTest::mouseClick(quorle.Control<QRadioButton>("optIns(1)"), Qt::LeftButton);
        QVERIFY(quorle.editor().insertMode);
        QCOMPARE(quorle.LabelText("lblIns"), QStringLiteral("挿入"));
        QCOMPARE(quorle.Action("mnuInsert")->text(), QStringLiteral("上書モードに切り替え(&I)"));
        QTest::mouseClick(quorle.Control<QRadioButton>("optIns(0)"), Qt::LeftButton);
        QVERIFY(!quorle.editor().insertMode);

        const tovek::Surface palette = quorle.editor().pctBase.image;
        QTest::mouseClick(quorle.Control<QCheckBox>("cheRev"), Qt::LeftButton);
        QVERIFY(quorle.editor().reverse);
        QVERIFY(quorle.Action("mnuReverse")->isChecked());
        QVERIFY(quorle.editor().pctBase.image != palette);
        QTest::mouseClick(quorle.Control<QCheckBox>("cheRev"), Qt::LeftButton);
        QVERIFY(!quorle.Action("mnuReverse")->isChecked());
        QVERIFY(quorle.editor().pctBase.image == palette);
    }

    void SizeBoxesActOnEnter() {
        RunningQuorle quorle;
        TypeInto(quorle.Control<QLineEdit>("txtSize(0)"), QStringLiteral("30"));
        ModalScript script;
        script.ThenMessage(QStringLiteral("マップサイズを変更します。"), QMessageBox::Information,
                           QStringLiteral("OK"));
        script.Start();
        quorle.Key(Qt::Key_Return);
        QVERIFY(script.Finished());
        QCOMPARE(quorle.editor().mapWidth, 30);
        QCOMPARE(quorle.Control<QScrollBar>("hscrMain")->maximum(), 18);
    }

    void SizeBoxesActOnLosingTheFocus() {
        RunningQuorle quorle;
        auto* height = quorle.Control<QLineEdit>("txtSize(1)");
        TypeInto(height, QStringLiteral("abc"));
        ModalScript script;
        script.ThenMessage(QStringLiteral("8～255の数字を入れて下さい。"), QMessageBox::Critical,
                           QStringLiteral("OK"));
        script.Start();
        quorle.ClickCell(Qt::LeftButton, 1, 1);
        QVERIFY(script.Finished());
        QCOMPARE(height->text(), QStringLiteral("8"));
        QCOMPARE(height->selectedText(), QStringLiteral("8"));
        QCOMPARE(quorle.editor().mapHeight, 8);
    }

    // Working the menus from the keyboard does not leave a box: what was
    // typed is acted on when another control takes the focus.
    void KeyboardMenusDoNotLeaveABox() {
        RunningQuorle quorle;
        auto* width = quorle.Control<QLineEdit>("txtSize(0)");
        TypeInto(width, QStringLiteral("30"));
        int boxesShown = 0;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&boxesShown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++boxesShown;
                box->reject();
            }
        });
        watch.start(10);
        quorle.Key(Qt::Key_E, Qt::AltModifier);
        QCOMPARE(boxesShown, 0);
        QWidget* menu = QApplication::activePopupWidget();
        QVERIFY(menu != nullptr);
        QCOMPARE(menu->objectName(), QStringLiteral("mnuEdit"));
        QTest::keyClick(menu, Qt::Key_Escape);
        QCoreApplication::processEvents();
        watch.stop();
        QCOMPARE(boxesShown, 0);
        QCOMPARE(width->text(), QStringLiteral("30"));

        ModalScript script;
        script.ThenMessage(QStringLiteral("マップサイズを変更します。"), QMessageBox::Information,
                           QStringLiteral("OK"));
        script.Start();
        quorle.ClickCell(Qt::LeftButton, 1, 1);
        QVERIFY(script.Finished());
        QCOMPARE(quorle.editor().mapWidth, 30);
    }

    void TheStageBoxAndArrowsOpenStages() {
        RunningQuorle quorle;
        WriteEmptyStage(quorle.StageFolder(), 3, 12, 8);
        WriteEmptyStage(quorle.StageFolder(), 8, 20, 10);
        TypeInto(quorle.Control<QLineEdit>("txtStage"), QStringLiteral("3"));
        quorle.Key(Qt::Key_Enter);
        QCOMPARE(quorle.window().windowTitle(), QStringLiteral("Quorle(3面)"));
        QCOMPARE(quorle.LabelText("lblStatus"), QStringLiteral("データ3から読み込みました。"));
        QCOMPARE(quorle.Control<QLineEdit>("txtSize(0)")->text(), QStringLiteral("12"));

        QTest::mouseClick(quorle.Control<QPushButton>("cmdStage(1)"), Qt::LeftButton);
        QCOMPARE(quorle.window().windowTitle(), QStringLiteral("Quorle(8面)"));
        QCOMPARE(quorle.Control<QLineEdit>("txtStage")->text(), QStringLiteral("8"));
        QCOMPARE(quorle.editor().mapWidth, 20);
        QTest::mouseClick(quorle.Control<QPushButton>("cmdStage(0)"), Qt::LeftButton);
        QCOMPARE(quorle.window().windowTitle(), QStringLiteral("Quorle(3面)"));

        // Leaving the box with a stage that does not exist puts it back.
        TypeInto(quorle.Control<QLineEdit>("txtStage"), QStringLiteral("9"));
        quorle.Picture("pctMain")->setFocus(Qt::TabFocusReason);
        QCOMPARE(quorle.Control<QLineEdit>("txtStage")->text(), QStringLiteral("3"));
    }

    void ClosingWithUnsavedChangesAsksFirst() {
        RunningQuorle quorle;
        quorle.ClickCell(Qt::LeftButton, 0, 0);
        ModalScript cancel;
        cancel.ThenMessage(QStringLiteral("変更されています。保存しますか？"), QMessageBox::Warning,
                           QStringLiteral("キャンセル"));
        cancel.Start();
        quorle.window().close();
        QVERIFY(cancel.Finished());
        QVERIFY(quorle.window().isVisible());
        QCOMPARE(quorle.window().windowTitle(), QStringLiteral("Quorle*"));

        ModalScript no;
        no.ThenMessage(QStringLiteral("変更されています。保存しますか？"), QMessageBox::Warning,
                       QStringLiteral("いいえ(&N)"));
        no.Start();
        quorle.Action("mnuExit")->trigger();
        QVERIFY(no.Finished());
        QVERIFY(!quorle.window().isVisible());
    }
};

const bool registered =
    RegisterTestClass("MainWindow", [] { return std::make_unique<MainWindowTests>(); });

}  // namespace
}  // namespace quorle::testing

#include "main_window_test.moc"
