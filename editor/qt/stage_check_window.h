#pragma once

#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "editor/check/solver_runs.h"
#include "editor/check/stage_rules.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace quorle {

// The stage check's panel, a window beside the editor's: one line for each
// problem found (clicking a line with a cell shows that cell on the map),
// then the solver's search for each character with its progress and a
// Cancel button; a character that clears the stage can show its route over
// the map and play it back. Closing the panel ends the search and hides the
// route.
class StageCheckWindow : public QWidget {
  public:
    explicit StageCheckWindow(QWidget* parent);

    std::function<void(int x, int y)> onShowCell;
    // The route to draw over the map; empty to draw none.
    std::function<void(const std::vector<RoutePoint>& route)> onShowRoute;
    std::function<void(const SolverRuns& runs, const CharacterRun& run)> onPlayRoute;

    // Shows the problems and follows the search, which the panel keeps.
    void StartCheck(const std::vector<StageProblem>& problems, std::unique_ptr<SolverRuns> runs);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct RunRow {
        QLabel* text = nullptr;
        QPushButton* showRoute = nullptr;
        QPushButton* playRoute = nullptr;
    };

    void ShowProblems(const std::vector<StageProblem>& problems);
    void ShowSearch();
    void ShowRoute(int character, bool shown);
    const CharacterRun* ClearingRun(int character) const;

    QListWidget* problems_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::array<RunRow, kCharacterCount> rows_;
    std::unique_ptr<SolverRuns> runs_;
    std::vector<CharacterRun> shownRuns_;
    QTimer poll_;
};

}  // namespace quorle
