// The window tests run without a display, on Qt's offscreen platform.
#include <QApplication>

#include "editor/qt/quorle_program.h"
#include "tests/editor_qt/qt_test_support.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    quorle::UseJapaneseWidgetFont();
    return quorle::testing::RunRegisteredTests(argc, argv);
}
