// The screen tests run on an X display of their own.
#include <QApplication>

#include <cstdio>

#include "editor/qt/quorle_program.h"
#include "tests/editor_qt/qt_test_support.h"
#include "tests/support/private_display.h"

int main(int argc, char** argv) {
    const tovek::test::PrivateDisplay display;
    if (!display.Started()) {
        std::fprintf(stderr, "Xvfb could not be started (Debian package xvfb)\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    quorle::UseJapaneseWidgetFont();
    return quorle::testing::RunRegisteredTests(argc, argv);
}
