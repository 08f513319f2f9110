#pragma once

#include <QWidget>

#include <functional>
#include <vector>

#include "editor/check/stage_rules.h"

class QListWidget;

namespace quorle {

// The stage check's panel, a window beside the editor's: one line for each
// problem found; clicking a line with a cell shows that cell on the map.
class StageCheckWindow : public QWidget {
  public:
    explicit StageCheckWindow(QWidget* parent);

    std::function<void(int x, int y)> onShowCell;

    void ShowProblems(const std::vector<StageProblem>& problems);

  private:
    QListWidget* problems_ = nullptr;
};

}  // namespace quorle
