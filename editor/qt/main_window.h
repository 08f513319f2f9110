#pragma once

#include <QMainWindow>

#include <QPointer>

#include <array>
#include <filesystem>
#include <string_view>

#include "common/sheets.h"
#include "editor/core/editor.h"
#include "editor/qt/main_menus.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace quorle {

class BoxEdit;
class PictureView;
class StageCheckWindow;

// What the play-test and the stage check need besides the editor: the game's
// program folder (Tovek.ini) and pictures.
struct GameResources {
    std::filesystem::path programFolder;
    tovek::PictureSheets sheets;
};

// frmMain: every control of the editor window. It shows the editor's state
// and hands each user event to the editor; the editor decides everything.
// Controls carry the editor's names as object names ("pctMain",
// "txtSize(0)", "mnuSave", ...).
class MainWindow : public QMainWindow {
  public:
    MainWindow(Editor& editor, const GameResources& game);

    // Brings every control in line with the editor's state.
    void ShowState();

    PictureView& MapView() const { return *pctMain_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // Runs one event of the editor, then shows what it changed.
    template <typename Event>
    void Forward(Event&& event) {
        event(editor_);
        ShowState();
    }

    void MenuChosen(std::string_view name);
    // F5 and Shift+F5: the document played in a window of its own.
    void StartPlayTest(bool fromCursor);
    // F7: the panel of the stage's problems and the solver's search.
    void CheckStage();
    int PlayedStageNumber() const;
    QWidget* BuildMapViewBox();
    QWidget* BuildDocumentPanel();
    // A picture the user picks from with the mouse (the palette, the
    // background chooser), with its highlight frame.
    using MouseEvent = void (*)(Editor&, int, int, int);
    using NameAt = std::string (*)(const Editor&, int, int);
    PictureView* BuildChooser(const PictureBox& picture, const Frame& highlight, const char* name,
                              MouseEvent down, MouseEvent move, NameAt nameAt);
    QWidget* BuildPickerRow();
    QWidget* BuildStatusRow();

    Editor& editor_;
    const GameResources& game_;
    MenuActions menus_;
    PictureView* pctMain_ = nullptr;
    PictureView* pctBase_ = nullptr;
    PictureView* pctBack_ = nullptr;
    std::array<PictureView*, 2> pctChosen_{};
    QScrollBar* hscrMain_ = nullptr;
    QScrollBar* vscrMain_ = nullptr;
    std::array<BoxEdit*, 2> txtSize_{};
    BoxEdit* txtStage_ = nullptr;
    std::array<QPushButton*, 2> cmdStage_{};
    QButtonGroup* optIns_ = nullptr;
    QLabel* lblIns_ = nullptr;
    QCheckBox* cheRev_ = nullptr;
    QLabel* lblPlace_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QLabel* lblInfo_ = nullptr;
    QPointer<StageCheckWindow> checkWindow_;
    // The document the stage check's panel is about.
    unsigned checkedDocument_ = 0;
};

}  // namespace quorle
