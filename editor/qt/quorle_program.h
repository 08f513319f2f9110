#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "editor/core/editor.h"
#include "editor/qt/main_window.h"
#include "editor/qt/qt_services.h"

namespace quorle {

// Gives the application's widgets a font with Japanese glyphs (IPA P Gothic
// first) when Qt's default font has none. Call once, after QApplication.
void UseJapaneseWidgetFont();

// The editor as the program runs it: the window system, the editor started
// up in `programFolder`, and its main window (not shown yet).
class QuorleProgram {
  public:
    explicit QuorleProgram(const std::filesystem::path& programFolder);

    Editor& State() { return editor_; }
    MainWindow& Window() { return *window_; }

    // Says so in a message box when the port digits' font is missing.
    void ReportMissingFont();
    // Offers the unsaved edits a previous run left behind; call once the
    // window is shown.
    void OfferRecovery();

  private:
    std::string fontError_;
    GameResources game_;
    QtServices services_;
    Editor editor_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace quorle
