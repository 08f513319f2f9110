#include "editor/qt/stage_dialog_form.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <string>
#include <utility>

#include "editor/core/map_size.h"
#include "editor/qt/box_edit.h"
#include "editor/qt/ui_text.h"

namespace quorle {
namespace {

QStringList ListItems(const std::vector<std::string>& texts) {
    QStringList items;
    for (const std::string& text : texts)
        items.append(ToQString(text));
    return items;
}

QStringList ComboItems(const QComboBox& combo) {
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items.append(combo.itemText(i));
    return items;
}

}  // namespace

StageDialogForm::StageDialogForm(StageDialog& dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
    setObjectName(QStringLiteral("frmStage"));

    cmbStage_ = new QComboBox;
    cmbStage_->setObjectName(QStringLiteral("cmbStage"));
    cmbStage_->setEditable(true);
    cmbStage_->setInsertPolicy(QComboBox::NoInsert);
    // The number typed is the number chosen: no listed number that merely
    // begins with it is filled in ("1" must not become "10").
    cmbStage_->setCompleter(nullptr);
    connect(cmbStage_->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        Forward([&](StageDialog& d) { d.cmbStage_Change(ToUtf8(text)); });
    });
    connect(cmbStage_, &QComboBox::textActivated, this, [this](const QString& text) {
        Forward([&](StageDialog& d) { d.cmbStage_Change(ToUtf8(text)); });
    });

    cmbMode_ = new QComboBox;
    cmbMode_->setObjectName(QStringLiteral("cmbMode"));
    for (const char* item : StageDialog::kModeItems)
        cmbMode_->addItem(QString::fromUtf8(item));
    connect(cmbMode_, &QComboBox::activated, this,
            [this](int index) { Forward([index](StageDialog& d) { d.cmbMode_Click(index); }); });

    txtFolder_ = new BoxEdit(nullptr);
    txtFolder_->setObjectName(QStringLiteral("txtFolder"));
    txtFolder_->setMinimumWidth(360);
    txtFolder_->onChange = [this](std::string text) {
        Forward([&](StageDialog& d) { d.txtFolder_Change(std::move(text)); });
    };
    txtFolder_->onEnter = [this] {
        Forward([](StageDialog& d) { d.txtFolder_KeyDown(kEnterKey); });
    };
    txtFolder_->onLostFocus = [this] { Forward([](StageDialog& d) { d.txtFolder_LostFocus(); }); };

    auto* form = new QFormLayout;
    const std::array<QWidget*, 3> fields{cmbStage_, cmbMode_, txtFolder_};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        auto* label = new QLabel(QString::fromUtf8(StageDialog::kLabels[i]));
        label->setObjectName(QStringLiteral("lblFile(%1)").arg(i));
        label->setBuddy(fields[i]);
        form->addRow(label, fields[i]);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (int i = 0; i < 2; ++i) {
        cmdStage_[i] = new QPushButton(QString::fromUtf8(StageDialog::kButtonCaptions[i]));
        cmdStage_[i]->setObjectName(QStringLiteral("cmdStage(%1)").arg(i));
        connect(cmdStage_[i], &QPushButton::clicked, this,
                [this, i] { Forward([i](StageDialog& d) { d.cmdStage_Click(i); }); });
        buttons->addWidget(cmdStage_[i]);
    }
    // Enter in the stage box chooses it.
    cmdStage_[0]->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ShowState();
    cmbStage_->setFocus();
}

void StageDialogForm::ShowState() {
    const QString caption = ToQString(dialog_.caption);
    if (windowTitle() != caption) setWindowTitle(caption);
    {
        const QSignalBlocker blocker(cmbMode_);
        if (cmbMode_->currentIndex() != dialog_.cmbModeIndex) {
            cmbMode_->setCurrentIndex(dialog_.cmbModeIndex);
        }
    }
    {
        const QSignalBlocker blocker(cmbStage_);
        const QStringList items = ListItems(dialog_.cmbStageList);
        if (ComboItems(*cmbStage_) != items) {
            cmbStage_->clear();
            cmbStage_->addItems(items);
        }
        const QString text = ToQString(dialog_.cmbStageText);
        if (cmbStage_->currentText() != text) cmbStage_->setEditText(text);
    }
    txtFolder_->ShowText(TextBox{dialog_.txtFolder});
    if (dialog_.closed && isVisible()) done(QDialog::Accepted);
}

void StageDialogForm::reject() {
    dialog_.Form_Unload();
    QDialog::reject();
}

}  // namespace quorle
