#include <QApplication>
#include <iostream>

#include "common/program_folder.h"
#include "editor/qt/quorle_program.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tovek.Quorle"));
    const std::filesystem::path programFolder = tovek::PrepareOwnProgramFolder("Quorle", std::cerr);
    if (programFolder.empty()) return 1;
    quorle::UseJapaneseWidgetFont();
    quorle::QuorleProgram program(programFolder);
    program.Window().show();
    program.ReportMissingFont();
    program.OfferRecovery();
    return QApplication::exec();
}
