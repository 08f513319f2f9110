#include "editor/qt/stage_check_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

#include "editor/qt/ui_text.h"

namespace quorle {
namespace {

constexpr int kCellRole = Qt::UserRole;
constexpr int kPollMilliseconds = 100;
constexpr int kProgressSteps = 1000;

QString Indexed(const char* name, int index) {
    return QString::fromLatin1(name) + QStringLiteral("(%1)").arg(index);
}

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

    progress_ = new QProgressBar;
    progress_->setObjectName(QStringLiteral("prgSearch"));
    progress_->setRange(0, kProgressSteps);
    cancel_ = new QPushButton(QStringLiteral("中止"));
    cancel_->setObjectName(QStringLiteral("cmdCancel"));
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (runs_) runs_->Cancel();
        ShowSearch();
    });

    auto* runsGrid = new QGridLayout;
    runsGrid->addWidget(progress_, 0, 0);
    runsGrid->addWidget(cancel_, 0, 1, 1, 2);
    for (int character = 0; character < kCharacterCount; ++character) {
        RunRow& row = rows_[static_cast<std::size_t>(character)];
        row.text = new QLabel;
        row.text->setObjectName(Indexed("lblRun", character));
        row.text->setWordWrap(true);
        row.text->setTextFormat(Qt::PlainText);
        row.showRoute = new QPushButton(QStringLiteral("ルートを表示"));
        row.showRoute->setObjectName(Indexed("cmdShowRoute", character));
        row.showRoute->setCheckable(true);
        connect(row.showRoute, &QPushButton::toggled, this,
                [this, character](bool shown) { ShowRoute(character, shown); });
        row.playRoute = new QPushButton(QStringLiteral("ルートを再生"));
        row.playRoute->setObjectName(Indexed("cmdPlayRoute", character));
        connect(row.playRoute, &QPushButton::clicked, this, [this, character] {
            const CharacterRun* run = ClearingRun(character);
            if (run != nullptr && runs_ && onPlayRoute) onPlayRoute(*runs_, *run);
        });
        runsGrid->addWidget(row.text, character + 1, 0);
        runsGrid->addWidget(row.showRoute, character + 1, 1);
        runsGrid->addWidget(row.playRoute, character + 1, 2);
    }
    runsGrid->setColumnStretch(0, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("問題点と注意（クリックするとその場所を表示します）")));
    layout->addWidget(problems_, 1);
    layout->addWidget(new QLabel(QStringLiteral("キャラクターごとのクリアの手順")));
    layout->addLayout(runsGrid);
    resize(520, 460);

    poll_.setInterval(kPollMilliseconds);
    connect(&poll_, &QTimer::timeout, this, [this] { ShowSearch(); });
}

void StageCheckWindow::StartCheck(const std::vector<StageProblem>& problems,
                                  std::unique_ptr<SolverRuns> runs) {
    for (RunRow& row : rows_)
        row.showRoute->setChecked(false);
    runs_ = std::move(runs);
    shownRuns_.clear();
    ShowProblems(problems);
    ShowSearch();
    poll_.start();
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

void StageCheckWindow::ShowSearch() {
    if (!runs_) return;
    const bool finished = runs_->Finished();
    progress_->setValue(static_cast<int>(runs_->Progress() * kProgressSteps));
    cancel_->setEnabled(!finished);
    shownRuns_ = runs_->Runs();
    for (const CharacterRun& run : shownRuns_) {
        RunRow& row = rows_[static_cast<std::size_t>(run.character)];
        const QString text = ToQString(runs_->RunText(run));
        if (row.text->text() != text) row.text->setText(text);
        const bool clears = ClearingRun(run.character) != nullptr;
        row.showRoute->setEnabled(clears);
        row.playRoute->setEnabled(clears);
    }
    if (finished) poll_.stop();
}

const CharacterRun* StageCheckWindow::ClearingRun(int character) const {
    for (const CharacterRun& run : shownRuns_) {
        if (run.character == character && run.result && run.result->cleared) return &run;
    }
    return nullptr;
}

// One route at a time: showing one hides the others.
void StageCheckWindow::ShowRoute(int character, bool shown) {
    if (shown) {
        for (int other = 0; other < kCharacterCount; ++other) {
            if (other != character)
                rows_[static_cast<std::size_t>(other)].showRoute->setChecked(false);
        }
    }
    const CharacterRun* run = ClearingRun(character);
    if (!onShowRoute || !runs_) return;
    if (shown && run != nullptr) {
        onShowRoute(runs_->EditorRoute(*run->result));
    } else if (!shown) {
        bool otherShown = false;
        for (const RunRow& row : rows_)
            otherShown = otherShown || row.showRoute->isChecked();
        if (!otherShown) onShowRoute({});
    }
}

void StageCheckWindow::closeEvent(QCloseEvent* event) {
    if (runs_) runs_->Cancel();
    for (RunRow& row : rows_)
        row.showRoute->setChecked(false);
    QWidget::closeEvent(event);
}

}  // namespace quorle
