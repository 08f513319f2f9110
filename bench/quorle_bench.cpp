// Quorle's windows on an X display of their own (Xvfb): the program's
// start-up to its shown window, a mouse press or a drag into a new cell to
// the repainted view, and F5 to the shown play-test, on the largest, busiest
// map.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>

#include "editor/core/geometry.h"
#include "editor/core/map_size.h"
#include "editor/core/map_view.h"
#include "editor/qt/picture_view.h"
#include "editor/qt/quorle_program.h"
#include "tests/support/temp_folder.h"
#include "tests/support/xvfb_server.h"

namespace {

using namespace quorle;

// Whether the screen's top-left area, where the window opens without a
// window manager, shows the window's pictures: many colours, where the
// black root window or a plain background fill have one or two.
bool WindowShown(QScreen& screen) {
    const QImage shot = screen.grabWindow(0, 0, 0, 720, 540).toImage();
    std::set<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 4) {
        const auto* row = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
        for (int x = 0; x < shot.width(); x += 2)
            colours.insert(row[x] & 0xFFFFFFu);
        if (colours.size() > 64) return true;
    }
    return false;
}

// Whether the screen's top-left area is back to the black root window.
bool WindowGone(QScreen& screen) {
    const QImage shot = screen.grabWindow(0, 0, 0, 720, 540).toImage();
    for (int y = 0; y < shot.height(); y += 4) {
        const auto* row = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
        for (int x = 0; x < shot.width(); ++x) {
            if ((row[x] & 0xFFFFFFu) != 0) return false;
        }
    }
    return true;
}

// From starting the program to its first frame on the screen.
void BM_StartUpToShownWindow(benchmark::State& state) {
    QScreen& screen = *QGuiApplication::primaryScreen();
    for (auto _ : state) {
        QProcess quorle;
        QElapsedTimer clock;
        clock.start();
        quorle.start(QStringLiteral(QUORLE_PATH), {});
        while (!WindowShown(screen)) {
            if (clock.elapsed() > 10000 || quorle.state() == QProcess::NotRunning) {
                state.SkipWithError("Quorle did not show its window");
                return;
            }
        }
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        quorle.kill();
        quorle.waitForFinished();
        while (!WindowGone(screen))
            QTest::qWait(5);
    }
}
BENCHMARK(BM_StartUpToShownWindow)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// Every cell of a 255 x 255 map busy with all four layers, scrolled to the
// middle, in a shown window.
class BusyMapWindow {
  public:
    BusyMapWindow() : program_(folder_.Path()) {
        Editor& editor = program_.State();
        SetMapSize(editor, kMaxMapWidth, kMaxMapHeight, true);
        for (int y = 0; y < editor.mapHeight; ++y) {
            for (int x = 0; x < editor.mapWidth; ++x) {
                editor.map.At(x, y) =
                    MapCell{.mainTile = static_cast<std::uint8_t>(32 + (x + y) % 32),
                            .actorCode = static_cast<std::uint8_t>(48 + x % 16),
                            .liftCode = static_cast<std::uint8_t>(12 + y % 8),
                            .water = 25};
            }
        }
        hscrMain_Change(editor, 120);
        vscrMain_Change(editor, 120);
        program_.Window().ShowState();
        program_.Window().show();
        if (!QTest::qWaitForWindowExposed(&program_.Window()))
            std::fprintf(stderr, "not exposed\n");
        QTest::qWait(50);
    }

    PictureView& View() { return program_.Window().MapView(); }
    QuorleProgram& Program() { return program_; }

    // Processes events until the view has been painted (and flushed to the
    // screen) once more; the seconds that took.
    double WaitForRepaint(unsigned paintsBefore, const QElapsedTimer& clock) {
        while (View().PaintCount() == paintsBefore)
            QCoreApplication::processEvents();
        return static_cast<double>(clock.nsecsElapsed()) / 1e9;
    }

  private:
    tovek::test::TempFolder folder_;
    QuorleProgram program_;
};

QPoint Cell(int cx, int cy) {
    return {cx * kCell + kCell / 2, cy * kCell + kCell / 2};
}

void BM_PressToRepaintedView(benchmark::State& state) {
    BusyMapWindow window;
    int cell = 0;
    for (auto _ : state) {
        const QPoint at = Cell(cell % kViewColumns, (cell / kViewColumns) % kViewRows);
        ++cell;
        const unsigned paints = window.View().PaintCount();
        QElapsedTimer clock;
        clock.start();
        QTest::mousePress(&window.View(), Qt::LeftButton, Qt::NoModifier, at);
        state.SetIterationTime(window.WaitForRepaint(paints, clock));
        QTest::mouseRelease(&window.View(), Qt::LeftButton, Qt::NoModifier, at);
    }
}
BENCHMARK(BM_PressToRepaintedView)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_DragIntoANewCellToRepaintedView(benchmark::State& state) {
    BusyMapWindow window;
    QTest::mousePress(&window.View(), Qt::LeftButton, Qt::NoModifier, Cell(0, 0));
    int cell = 1;
    for (auto _ : state) {
        const QPoint at = Cell(cell % kViewColumns, (cell / kViewColumns) % kViewRows);
        ++cell;
        const unsigned paints = window.View().PaintCount();
        QElapsedTimer clock;
        clock.start();
        QTest::mouseMove(&window.View(), at);
        state.SetIterationTime(window.WaitForRepaint(paints, clock));
    }
    QTest::mouseRelease(&window.View(), Qt::LeftButton, Qt::NoModifier, Cell(0, 0));
}
BENCHMARK(BM_DragIntoANewCellToRepaintedView)->UseManualTime()->Unit(benchmark::kMillisecond);

// F5 to the play-test window on the screen, with the game started on the
// document and its first frame drawn; an actor and a lift in every cell.
void BM_PlayTestToShownWindow(benchmark::State& state) {
    BusyMapWindow window;
    window.Program().State().map.At(130, 130).mainTile = 16;
    QAction* play = window.Program().Window().findChild<QAction*>(QStringLiteral("mnuPlay"));
    for (auto _ : state) {
        QElapsedTimer clock;
        double seconds = 0;
        QTimer poll;
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || modal->windowHandle() == nullptr ||
                !modal->windowHandle()->isExposed()) {
                return;
            }
            seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
            poll.stop();
            modal->close();
        });
        clock.start();
        poll.start();
        play->trigger();
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_PlayTestToShownWindow)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const tovek::test::XvfbServer display;
    if (display.Display().empty()) {
        std::fprintf(stderr, "Xvfb could not be started (Debian package xvfb)\n");
        return 1;
    }
    display.BecomeProcessDisplay();
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    UseJapaneseWidgetFont();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
