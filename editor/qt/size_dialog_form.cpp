#include "editor/qt/size_dialog_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>
#include <utility>

#include "editor/core/control_texts.h"
#include "editor/qt/box_edit.h"
#include "editor/qt/ui_text.h"

namespace quorle {

SizeDialogForm::SizeDialogForm(SizeDialog& dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
    setObjectName(QStringLiteral("frmSize"));
    setWindowTitle(QString::fromUtf8(SizeDialog::kCaption));

    auto* boxes = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        txtSize_[i] = new BoxEdit(nullptr);
        txtSize_[i]->setObjectName(QStringLiteral("txtSize(%1)").arg(i));
        txtSize_[i]->setFixedWidth(56);
        txtSize_[i]->onChange = [this, i](std::string text) {
            Forward([&](SizeDialog& d) { d.txtSize_Change(i, std::move(text)); });
        };
    }
    boxes->addStretch();
    boxes->addWidget(txtSize_[0]);
    boxes->addWidget(new QLabel(ToQString(kSizeLabel)));
    boxes->addWidget(txtSize_[1]);
    boxes->addStretch();

    auto* buttons = new QHBoxLayout;
    std::array<QPushButton*, 2> cmdSize{};
    for (int i = 0; i < 2; ++i) {
        cmdSize[i] = new QPushButton(QString::fromUtf8(SizeDialog::kButtonCaptions[i]));
        cmdSize[i]->setObjectName(QStringLiteral("cmdSize(%1)").arg(i));
        connect(cmdSize[i], &QPushButton::clicked, this,
                [this, i] { Forward([i](SizeDialog& d) { d.cmdSize_Click(i); }); });
        buttons->addWidget(cmdSize[i]);
    }
    cmdSize[0]->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->addLayout(boxes);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ShowState();
    txtSize_[0]->setFocus();
    txtSize_[0]->selectAll();
}

void SizeDialogForm::ShowState() {
    for (int i = 0; i < 2; ++i)
        txtSize_[i]->ShowText(dialog_.txtSize[i]);
    if (dialog_.closed && isVisible()) done(QDialog::Accepted);
}

void SizeDialogForm::reject() {
    dialog_.Form_Unload();
    QDialog::reject();
}

}  // namespace quorle
