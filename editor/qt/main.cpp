#include <QApplication>

#include "common/file_access.h"
#include "editor/qt/quorle_program.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    quorle::UseJapaneseWidgetFont();
    quorle::QuorleProgram program(tovek::ProgramFolder());
    program.Window().show();
    program.ReportMissingFont();
    return QApplication::exec();
}
