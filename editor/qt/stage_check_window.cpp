#include "editor/qt/stage_check_window.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "editor/qt/ui_text.h"

namespace quorle {
namespace {

constexpr int kCellRole = Qt::UserRole;

}  // namespace

StageCheckWindow::StageCheckWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("frmCheck"));
    setWindowTitle(QStringLiteral("ステージの検査"));
    problems_ = new QListWidget;
    problems_->setObjectName(QStringLiteral("lstProblems"));
    problems_->setWordWrap(true);
    connect(problems_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const QVariant cell = item->data(kCellRole);
        if (cell.isValid() && onShowCell) onShowCell(cell.toPoint().x(), cell.toPoint().y());
    });
    connect(problems_, &QListWidget::itemActivated, problems_, &QListWidget::itemClicked);

    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("問題点（クリックするとその場所を表示します）"));
    layout->addWidget(heading);
    layout->addWidget(problems_, 1);
    resize(460, 360);
}

void StageCheckWindow::ShowProblems(const std::vector<StageProblem>& problems) {
    problems_->clear();
    if (problems.empty()) {
        problems_->addItem(QStringLiteral("問題は見つかりませんでした。"));
        return;
    }
    for (const StageProblem& problem : problems) {
        QString text = ToQString(problem.text);
        auto* item = new QListWidgetItem;
        if (problem.cell) {
            text = QStringLiteral("(%1, %2) ").arg(problem.cell->first).arg(problem.cell->second) +
                   text;
            item->setData(kCellRole, QPoint(problem.cell->first, problem.cell->second));
        }
        item->setText(text);
        problems_->addItem(item);
    }
}

}  // namespace quorle
