// The screen tests run on an X display of their own.
#include <QApplication>

#include <cstdio>

#include "editor/qt/quorle_program.h"
#include "tests/editor_qt/qt_test_support.h"
#include "tests/support/xvfb_server.h"

int main(int argc, char** argv) {
    const tovek::test::XvfbServer display;
    if (display.Display().empty()) {
        std::fprintf(stderr, "Xvfb could not be started (Debian package xvfb)\n");
        return 1;
    }
    display.BecomeProcessDisplay();
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    quorle::UseJapaneseWidgetFont();
    return quorle::testing::RunRegisteredTests(argc, argv);
}
