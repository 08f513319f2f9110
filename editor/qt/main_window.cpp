#include "editor/qt/main_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

#include "editor/check/stage_rules.h"
#include "editor/core/control_texts.h"
#include "editor/core/document.h"
#include "editor/core/geometry.h"
#include "editor/core/map_size.h"
#include "editor/core/map_view.h"
#include "editor/core/painting.h"
#include "editor/core/palette.h"
#include "editor/core/preview.h"
#include "editor/core/recovery_file.h"
#include "editor/core/regions.h"
#include "editor/core/stage_files.h"
#include "editor/core/undo_redo.h"
#include "editor/play/play_test.h"
#include "editor/qt/box_edit.h"
#include "editor/qt/picture_view.h"
#include "editor/qt/play_test_window.h"
#include "editor/qt/stage_check_window.h"
#include "editor/qt/ui_text.h"

namespace quorle {
namespace {

using Command = void (*)(Editor&);

// What each menu item does, by its name.
constexpr std::array<std::pair<std::string_view, Command>, 16> kMenuCommands{{
    {"mnuNew", mnuNew_Click},
    {"mnuOpen", mnuOpen_Click},
    {"mnuSave", mnuSave_Click},
    {"mnuSaveAs", mnuSaveAs_Click},
    {"mnuExit", mnuExit_Click},
    {"mnuUndo", mnuUndo_Click},
    {"mnuRedo", mnuRedo_Click},
    {"mnuInsert", mnuInsert_Click},
    {"mnuReverse", mnuReverse_Click},
    {"mnuMap(0)", [](Editor& editor) { mnuMap_Click(editor, 0); }},
    {"mnuMap(1)", [](Editor& editor) { mnuMap_Click(editor, 1); }},
    {"mnuMap(2)", [](Editor& editor) { mnuMap_Click(editor, 2); }},
    {"mnuMap(3)", [](Editor& editor) { mnuMap_Click(editor, 3); }},
    {"mnuMap(4)", [](Editor& editor) { mnuMap_Click(editor, 4); }},
    {"mnuSize", mnuSize_Click},
    {"mnuPreview", mnuPreview_Click},
}};

constexpr int kScrollBarThickness = 16;
constexpr int kBoxWidth = 44;
constexpr int kGap = 8;

QString Indexed(std::string_view name, int index) {
    return ToQString(name) + QStringLiteral("(%1)").arg(index);
}

void ShowLabel(QLabel& label, const std::string& text) {
    const QString shown = ToQString(text);
    if (label.text() != shown) label.setText(shown);
}

void ShowScrollBar(QScrollBar& bar, const ScrollBar& state) {
    const QSignalBlocker blocker(bar);
    bar.setRange(0, state.max);
    bar.setSingleStep(state.smallChange);
    bar.setPageStep(state.largeChange);
    bar.setValue(state.value);
}

// A sunken border around a group of controls.
QFrame* Panel(QLayout* contents, int margin) {
    auto* panel = new QFrame;
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    contents->setContentsMargins(margin, margin, margin, margin);
    panel->setLayout(contents);
    return panel;
}

}  // namespace

MainWindow::MainWindow(Editor& editor, const GameResources& game) : editor_(editor), game_(game) {
    setObjectName(QStringLiteral("frmMain"));
    menus_ = BuildMainMenus(*menuBar(), [this](std::string_view name) { MenuChosen(name); });

    auto* top = new QHBoxLayout;
    top->setSpacing(kGap);
    top->addWidget(BuildMapViewBox(), 0, Qt::AlignTop);
    top->addWidget(BuildDocumentPanel());

    auto* outer = new QVBoxLayout;
    outer->setContentsMargins(kGap, kGap, kGap, kGap);
    outer->setSpacing(kGap);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    outer->addLayout(top);
    outer->addWidget(BuildPickerRow());
    outer->addWidget(BuildStatusRow());
    auto* central = new QWidget;
    central->setLayout(outer);
    setCentralWidget(central);
    lblInfo_ = new QLabel;
    lblInfo_->setObjectName(QStringLiteral("lblInfo"));
    lblInfo_->setTextFormat(Qt::PlainText);
    statusBar()->addWidget(lblInfo_, 1);

    const QList<QKeySequence> shortcuts = MenuShortcuts(menus_);
    for (BoxEdit* box : {txtSize_[0], txtSize_[1], txtStage_})
        box->YieldShortcuts(shortcuts);

    auto* autosave = new QTimer(this);
    autosave->setObjectName(QStringLiteral("tmrAutosave"));
    connect(autosave, &QTimer::timeout, this, [this] { Forward(Autosave); });
    autosave->start(kAutosaveSeconds * 1000);

    // The map view holds the focus when the window opens.
    pctMain_->setFocus();
    Forward(pctMain_GotFocus);
}

QWidget* MainWindow::BuildMapViewBox() {
    auto* box = new QWidget;
    box->setFixedSize(kViewWidth + kScrollBarThickness, kViewHeight + kScrollBarThickness);

    pctMain_ = new PictureView(editor_.pctMain, {&editor_.shpRegion, &editor_.shpMain}, box);
    pctMain_->setObjectName(QStringLiteral("pctMain"));
    pctMain_->setFocusPolicy(Qt::StrongFocus);
    pctMain_->onMouseDown = [this](int button, int x, int y) {
        Forward([&](Editor& editor) { pctMain_MouseDown(editor, button, x, y); });
    };
    pctMain_->onMouseMove = [this](int buttons, int x, int y) {
        Forward([&](Editor& editor) { pctMain_MouseMove(editor, buttons, x, y); });
    };
    pctMain_->onMouseUp = [this](int button, int x, int y) {
        Forward([&](Editor& editor) { pctMain_MouseUp(editor, button, x, y); });
    };
    pctMain_->onWheel = [this](int columns, int rows) {
        const int cells = QApplication::wheelScrollLines();
        Forward([&](Editor& editor) { pctMain_MouseWheel(editor, columns * cells, rows * cells); });
    };
    pctMain_->onMouseLeave = [this] { Forward(Picture_MouseLeave); };
    pctMain_->onGotFocus = [this] { Forward(pctMain_GotFocus); };

    hscrMain_ = new QScrollBar(Qt::Horizontal, box);
    hscrMain_->setObjectName(QStringLiteral("hscrMain"));
    hscrMain_->setGeometry(0, kViewHeight, kViewWidth, kScrollBarThickness);
    vscrMain_ = new QScrollBar(Qt::Vertical, box);
    vscrMain_->setObjectName(QStringLiteral("vscrMain"));
    vscrMain_->setGeometry(kViewWidth, 0, kScrollBarThickness, kViewHeight);
    for (QScrollBar* bar : {hscrMain_, vscrMain_}) {
        // The view keeps the keyboard; the bars are worked with the mouse.
        bar->setFocusPolicy(Qt::NoFocus);
    }
    connect(hscrMain_, &QScrollBar::valueChanged, this, [this](int value) {
        Forward([&](Editor& editor) { hscrMain_Change(editor, value); });
    });
    connect(vscrMain_, &QScrollBar::valueChanged, this, [this](int value) {
        Forward([&](Editor& editor) { vscrMain_Change(editor, value); });
    });
    return box;
}

QWidget* MainWindow::BuildDocumentPanel() {
    auto* stageRow = new QHBoxLayout;
    auto* lblStage = new QLabel(ToQString(kStageLabel));
    lblStage->setObjectName(QStringLiteral("lblStage"));
    txtStage_ = new BoxEdit(nullptr);
    txtStage_->setObjectName(QStringLiteral("txtStage"));
    txtStage_->setFixedWidth(kBoxWidth);
    txtStage_->onChange = [this](std::string text) {
        Forward([&](Editor& editor) { txtStage_Change(editor, std::move(text)); });
    };
    txtStage_->onEnter = [this] {
        Forward([](Editor& editor) { txtStage_KeyDown(editor, kEnterKey); });
    };
    txtStage_->onLostFocus = [this] { Forward(txtStage_LostFocus); };
    stageRow->addWidget(lblStage);
    stageRow->addWidget(txtStage_);
    for (int i = 0; i < 2; ++i) {
        cmdStage_[i] = new QPushButton(ToQString(kStageButtons[i]));
        cmdStage_[i]->setObjectName(Indexed("cmdStage", i));
        cmdStage_[i]->setFixedWidth(32);
        connect(cmdStage_[i], &QPushButton::clicked, this,
                [this, i] { Forward([i](Editor& editor) { cmdStage_Click(editor, i); }); });
        stageRow->addWidget(cmdStage_[i]);
    }
    stageRow->addStretch();

    auto* sizeRow = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        txtSize_[i] = new BoxEdit(nullptr);
        txtSize_[i]->setObjectName(Indexed("txtSize", i));
        txtSize_[i]->setFixedWidth(kBoxWidth);
        txtSize_[i]->onChange = [this, i](std::string text) {
            Forward([&](Editor& editor) { txtSize_Change(editor, i, std::move(text)); });
        };
        txtSize_[i]->onEnter = [this, i] {
            Forward([i](Editor& editor) { txtSize_KeyDown(editor, i, kEnterKey); });
        };
        txtSize_[i]->onLostFocus = [this, i] {
            Forward([i](Editor& editor) { txtSize_LostFocus(editor, i); });
        };
    }
    auto* lblSize = new QLabel(ToQString(kSizeLabel));
    lblSize->setObjectName(QStringLiteral("lblSize"));
    sizeRow->addWidget(txtSize_[0]);
    sizeRow->addWidget(lblSize);
    sizeRow->addWidget(txtSize_[1]);
    sizeRow->addStretch();

    auto* insertRow = new QHBoxLayout;
    optIns_ = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(ToQString(kInsertOptions[i]));
        option->setObjectName(Indexed("optIns", i));
        optIns_->addButton(option, i);
        insertRow->addWidget(option);
    }
    connect(optIns_, &QButtonGroup::idClicked, this,
            [this](int i) { Forward([i](Editor& editor) { optIns_Click(editor, i); }); });
    lblIns_ = new QLabel;
    lblIns_->setObjectName(QStringLiteral("lblIns"));
    lblIns_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblIns_->setAlignment(Qt::AlignCenter);
    lblIns_->setMinimumWidth(kBoxWidth);
    insertRow->addWidget(lblIns_);
    insertRow->addStretch();

    cheRev_ = new QCheckBox(ToQString(kReverseCheckBox));
    cheRev_->setObjectName(QStringLiteral("cheRev"));
    connect(cheRev_, &QCheckBox::clicked, this, [this](bool checked) {
        Forward([checked](Editor& editor) { cheRev_Click(editor, checked ? 1 : 0); });
    });

    lblPlace_ = new QLabel;
    lblPlace_->setObjectName(QStringLiteral("lblPlace"));

    auto* column = new QVBoxLayout;
    column->setSpacing(kGap);
    column->addLayout(stageRow);
    column->addLayout(sizeRow);
    column->addLayout(insertRow);
    column->addWidget(cheRev_, 0, Qt::AlignLeft);
    column->addStretch();
    column->addWidget(lblPlace_);
    return Panel(column, kGap);
}

PictureView* MainWindow::BuildChooser(const PictureBox& picture, const Frame& highlight,
                                      const char* name, MouseEvent down, MouseEvent move,
                                      NameAt nameAt) {
    auto* view = new PictureView(picture, {&highlight}, nullptr);
    view->setObjectName(QString::fromLatin1(name));
    view->setFocusPolicy(Qt::ClickFocus);
    view->onMouseDown = [this, down](int button, int x, int y) {
        Forward([&](Editor& editor) { down(editor, button, x, y); });
    };
    view->onMouseMove = [this, move](int buttons, int x, int y) {
        Forward([&](Editor& editor) { move(editor, buttons, x, y); });
    };
    view->onMouseLeave = [this] { Forward(Picture_MouseLeave); };
    view->toolTipAt = [this, nameAt](int x, int y) { return nameAt(editor_, x, y); };
    return view;
}

QWidget* MainWindow::BuildPickerRow() {
    pctBase_ = BuildChooser(editor_.pctBase, editor_.shpBase, "pctBase", pctBase_MouseDown,
                            pctBase_MouseMove, PaletteTextAt);

    auto* chosen = new QGridLayout;
    chosen->setVerticalSpacing(4);
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(ToQString(kChosenLabels[i]));
        pctChosen_[i] = new PictureView(editor_.pctChosen[i], {}, nullptr);
        pctChosen_[i]->setObjectName(Indexed("pctChosen", i));
        chosen->addWidget(label, 2 * i, 0, Qt::AlignHCenter | Qt::AlignBottom);
        chosen->addWidget(pctChosen_[i], 2 * i + 1, 0, Qt::AlignHCenter | Qt::AlignTop);
    }

    pctBack_ = BuildChooser(editor_.pctBack, editor_.shpBack, "pctBack", pctBack_MouseDown,
                            pctBack_MouseMove, BackgroundTextAt);

    auto* row = new QHBoxLayout;
    row->setSpacing(kGap);
    row->addWidget(pctBase_, 0, Qt::AlignTop);
    row->addLayout(chosen);
    row->addWidget(pctBack_, 0, Qt::AlignTop);
    row->addStretch();
    auto* box = new QWidget;
    row->setContentsMargins(0, 0, 0, 0);
    box->setLayout(row);
    return box;
}

QWidget* MainWindow::BuildStatusRow() {
    lblStatus_ = new QLabel;
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    lblStatus_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblStatus_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Room for the two lines of the longest prompts.
    lblStatus_->setMinimumHeight(2 * fontMetrics().lineSpacing() + 8);
    lblStatus_->setMargin(2);
    return lblStatus_;
}

void MainWindow::MenuChosen(std::string_view name) {
    if (name == "mnuPlay" || name == "mnuPlayHere") {
        StartPlayTest(name == "mnuPlayHere");
        return;
    }
    if (name == "mnuCheck") {
        CheckStage();
        return;
    }
    for (const auto& [itemName, command] : kMenuCommands) {
        if (itemName == name) Forward(command);
    }
}

// A new map plays under the number it would be saved as.
int MainWindow::PlayedStageNumber() const {
    return editor_.currentStage > 0 ? editor_.currentStage : editor_.targetStage;
}

void MainWindow::StartPlayTest(bool fromCursor) {
    PlayStart start;
    start.stage = DocumentAsStage(editor_);
    start.stageNumber = PlayedStageNumber();
    if (fromCursor) start.startCell = CursorCell(editor_);
    PlayTestWindow window(std::move(start), std::nullopt, game_.programFolder, game_.sheets,
                          editor_.portDigits.get(), this);
    window.exec();
    activateWindow();
    pctMain_->setFocus();
}

void MainWindow::CheckStage() {
    if (!checkWindow_) {
        checkWindow_ = new StageCheckWindow(this);
        checkWindow_->onShowCell = [this](int x, int y) {
            Forward([x, y](Editor& editor) { ShowCell(editor, x, y); });
        };
        checkWindow_->onShowRoute = [this](const std::vector<RoutePoint>& route) {
            Forward([&route](Editor& editor) { ShowRoute(editor, route); });
        };
        checkWindow_->onPlayRoute = [this](const SolverRuns& runs, const CharacterRun& run) {
            PlayStart start;
            start.stage = runs.Stage();
            start.stageNumber = runs.StageNumber();
            start.character = run.character;
            PlayTestWindow window(
                std::move(start), PlayTestWindow::Route{runs.Seed(), run.result->keys},
                game_.programFolder, game_.sheets, editor_.portDigits.get(), checkWindow_);
            window.exec();
        };
        checkWindow_->move(frameGeometry().topRight() + QPoint(kGap, 0));
    }
    checkedDocument_ = editor_.openedDocuments;
    checkWindow_->StartCheck(CheckStageRules(editor_),
                             std::make_unique<SolverRuns>(game_.programFolder, PlayedStageNumber(),
                                                          DocumentAsStage(editor_)));
    checkWindow_->show();
    checkWindow_->raise();
}

void MainWindow::ShowState() {
    const QString title = ToQString(editor_.caption);
    if (windowTitle() != title) setWindowTitle(title);

    QAction* insert = menus_.at("mnuInsert");
    if (insert->text() != ToQString(editor_.mnuInsertCaption)) {
        insert->setText(ToQString(editor_.mnuInsertCaption));
    }
    insert->setChecked(editor_.insertMode);
    menus_.at("mnuReverse")->setChecked(editor_.reverse);
    menus_.at("mnuUndo")->setEnabled(editor_.history.CanUndo());
    menus_.at("mnuRedo")->setEnabled(editor_.history.CanRedo());
    for (int i = 0; i < 5; ++i) {
        menus_.at(Indexed("mnuMap", i).toStdString())->setEnabled(editor_.mnuMapEnabled[i]);
    }

    ShowLabel(*lblStatus_, editor_.lblStatus);
    ShowLabel(*lblPlace_, editor_.lblPlace);
    ShowLabel(*lblInfo_, editor_.lblInfo);
    ShowLabel(*lblIns_, editor_.lblIns);
    if (QAbstractButton* option = optIns_->button(editor_.optInsSelected)) {
        if (!option->isChecked()) option->setChecked(true);
    }
    if (cheRev_->isChecked() != (editor_.cheRev == 1)) cheRev_->setChecked(editor_.cheRev == 1);

    ShowScrollBar(*hscrMain_, editor_.hscrMain);
    ShowScrollBar(*vscrMain_, editor_.vscrMain);
    for (int i = 0; i < 2; ++i)
        txtSize_[i]->ShowText(editor_.txtSize[i]);
    txtStage_->ShowText(editor_.txtStage);

    for (PictureView* view : {pctMain_, pctBase_, pctBack_, pctChosen_[0], pctChosen_[1]}) {
        view->ShowState();
    }
    if (checkWindow_ && checkWindow_->isVisible() && checkedDocument_ != editor_.openedDocuments) {
        checkedDocument_ = editor_.openedDocuments;
        checkWindow_->close();
    }
    if (editor_.windowClosed && isVisible()) close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool mayClose = editor_.windowClosed;
    if (!mayClose) Forward([&mayClose](Editor& editor) { mayClose = Form_QueryUnload(editor); });
    if (mayClose) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace quorle
