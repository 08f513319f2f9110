// Quorle on a real X display: what reaches the screen is exactly what the
// editor drew, and a stage saved through the window plays in the game.
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include "editor/core/geometry.h"
#include "tests/editor_qt/qt_test_support.h"

namespace quorle::testing {
namespace {

QPoint Centre(int cx, int cy) {
    return {cx * kCell + kCell / 2, cy * kCell + kCell / 2};
}

// The pixels of the screen under the widget.
QImage ScreenUnder(QWidget* widget) {
    const QPoint topLeft = widget->mapToGlobal(QPoint(0, 0));
    return widget->screen()
        ->grabWindow(0, topLeft.x(), topLeft.y(), widget->width(), widget->height())
        .toImage();
}

// Lets the X server show every pending repaint.
void ShowPendingPaints() {
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(10);
    }
}

class ScreenTests : public QObject {
    Q_OBJECT

  private slots:
    void TheScreenShowsThePaletteAndViewAsTheEditorDrewThem() {
        RunningQuorle quorle;
        QVERIFY(QTest::qWaitForWindowExposed(&quorle.window()));
        Editor& editor = quorle.editor();
        // Water, a masked tile, a port with its digit and an actor, some in
        // insert mode over each other; the palette mirrored.
        const std::vector<std::pair<QPoint, QPoint>> paint{
            {{9 * 32 + 4, 32 + 4}, {1, 6}},   // water
            {{2 * 32 + 4, 4}, {2, 7}},        // ground
            {{12 * 32 + 4, 32 + 4}, {4, 4}},  // down-port tool: port 0
            {{0 * 32 + 4, 64 + 4}, {6, 3}},   // actor
            {{13 * 32 + 4, 20}, {8, 2}},      // fast lift
        };
        for (const auto& [palette, cell] : paint) {
            quorle.Press("pctBase", Qt::LeftButton, palette.x(), palette.y());
            quorle.ClickCell(Qt::LeftButton, cell.x(), cell.y());
        }
        quorle.ClickCell(Qt::LeftButton, 4, 4);  // port 1
        quorle.Action("mnuReverse")->trigger();
        quorle.Move("pctBase", 200, 100);
        quorle.Move("pctMain", Centre(5, 5).x(), Centre(5, 5).y());
        ShowPendingPaints();

        const QImage view = ScreenUnder(quorle.Picture("pctMain"));
        QCOMPARE(DifferingPixels(view, WithOutlines(editor.pctMain.image,
                                                    {&editor.shpRegion, &editor.shpMain})),
                 0);
        const QImage palette = ScreenUnder(quorle.Picture("pctBase"));
        QCOMPARE(DifferingPixels(palette, WithOutlines(editor.pctBase.image, {&editor.shpBase})),
                 0);
        const QImage chosen = ScreenUnder(quorle.Picture("pctChosen(0)"));
        QCOMPARE(DifferingPixels(chosen, editor.pctChosen[0].image), 0);
        // The view holds more than the background: the painted cells show.
        QVERIFY(editor.pctMain.image.Pixel(6 * 32 + 16, 3 * 32 + 16) !=
                editor.pctMain.image.Pixel(7 * 32 + 16, 3 * 32 + 16));
    }

    void AStageSavedByQuorleIsPlayedWithTheSameLayers() {
        RunningQuorle quorle;
        QVERIFY(QTest::qWaitForWindowExposed(&quorle.window()));
        Editor& editor = quorle.editor();
        // Ground along the bottom, the start, blocks, items, water and ports.
        quorle.Press("pctMain", Qt::LeftButton, Centre(0, 7).x(), Centre(0, 7).y());
        for (int cx = 1; cx < 12; ++cx)
            quorle.Move("pctMain", Centre(cx, 7).x(), Centre(cx, 7).y());
        quorle.Release("pctMain", Qt::LeftButton, Centre(11, 7).x(), Centre(11, 7).y());
        const std::vector<std::pair<int, QPoint>> tiles{{16, {1, 6}}, {5, {4, 4}}, {18, {5, 4}},
                                                        {20, {6, 4}}, {9, {9, 5}}, {28, {10, 6}}};
        for (const auto& [code, cell] : tiles) {
            quorle.Press("pctBase", Qt::LeftButton, (code % 16) * 32 + 4, (code / 16) * 32 + 4);
            quorle.ClickCell(Qt::LeftButton, cell.x(), cell.y());
        }
        quorle.ClickCell(Qt::LeftButton, 10, 6);  // port 1
        quorle.Action("mnuInsert")->trigger();
        quorle.Press("pctBase", Qt::LeftButton, 9 * 32 + 4, 32 + 4);  // water under the tiles
        for (int cx = 3; cx <= 6; ++cx)
            quorle.ClickCell(Qt::LeftButton, cx, 4);
        quorle.Press("pctBase", Qt::LeftButton, 3 * 32 + 4, 64 + 4);  // an actor
        quorle.ClickCell(Qt::LeftButton, 7, 6);

        ModalScript save;
        save.Then(IsForm("frmStage"), [](QWidget* form) {
            auto* stage = form->findChild<QComboBox*>(QStringLiteral("cmbStage"));
            TypeInto(stage->lineEdit(), QStringLiteral("5"));
            ClickButton(form, "cmdStage(0)");
        });
        save.Start();
        quorle.Key(Qt::Key_A, Qt::ControlModifier);
        QVERIFY(save.Finished());
        QCOMPARE(quorle.window().windowTitle(), QStringLiteral("Quorle(5面)"));

        QProcess sim;
        sim.start(QStringLiteral(TOVEK_SIM_PATH),
                  {"--dir", QString::fromStdString(quorle.ProgramFolder().string()), "--stage", "5",
                   "--map"});
        QVERIFY(sim.waitForFinished(30000));
        QCOMPARE(sim.exitCode(), 0);
        const QByteArray firstLine = sim.readAllStandardOutput().split('\n').front();
        const QJsonObject state = QJsonDocument::fromJson(firstLine).object();
        QVERIFY(state.value("inPlay").toBool());
        QCOMPARE(state.value("mapWidth").toInt(), editor.mapWidth);
        QCOMPARE(state.value("mapHeight").toInt(), editor.mapHeight);
        const QJsonArray tileMap = state.value("tileMap").toArray();
        const QJsonArray waterMap = state.value("waterMap").toArray();
        QCOMPARE(tileMap.size(), editor.mapHeight);
        QCOMPARE(waterMap.size(), editor.mapHeight);
        int nonEmpty = 0;
        for (int y = 0; y < editor.mapHeight; ++y) {
            const QJsonArray tileRow = tileMap[y].toArray();
            const QJsonArray waterRow = waterMap[y].toArray();
            QCOMPARE(tileRow.size(), editor.mapWidth);
            for (int x = 0; x < editor.mapWidth; ++x) {
                const MapCell& cell = editor.map.At(x, y);
                QCOMPARE(tileRow[x].toInt(), int{cell.mainTile});
                QCOMPARE(waterRow[x].toInt(), int{cell.water});
                if (cell.mainTile != 0 || cell.water != 0) ++nonEmpty;
            }
        }
        QCOMPARE(nonEmpty, 12 + 6 + 1);
        QCOMPARE(editor.map.At(10, 6).mainTile, 33);
        QCOMPARE(editor.map.At(5, 4).water, 25);
        QCOMPARE(state.value("actors").toArray().size(), 1);
    }
};

const bool registered = RegisterTestClass("Screen", [] { return std::make_unique<ScreenTests>(); });

}  // namespace
}  // namespace quorle::testing

#include "screen_test.moc"
