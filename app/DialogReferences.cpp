#include "app/DialogReferences.h"

#include <QFrame>
#include <QPushButton>
#include <QRadioButton>

namespace sequara {

TReferencesDlg::TReferencesDlg(QWidget* parent)
    : QDialog(parent),
      okBtn_(new QPushButton("OK", this)),
      cancelBtn_(new QPushButton("Cancel", this)),
      referenceBox_(new QFrame(this)) {
    setObjectName("ReferencesDlg");
    setWindowTitle("Dialog");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(320, 214);

    okBtn_->setObjectName("OKBtn");
    okBtn_->setGeometry(79, 180, 75, 25);
    okBtn_->setDefault(true);
    cancelBtn_->setObjectName("CancelBtn");
    cancelBtn_->setGeometry(159, 180, 75, 25);
    referenceBox_->setObjectName("ReferenceBox");
    referenceBox_->setGeometry(8, 8, 305, 161);
    referenceBox_->setFrameShape(QFrame::StyledPanel);
    referenceBox_->setFrameShadow(QFrame::Sunken);

    setTabOrder(okBtn_, cancelBtn_);
    setTabOrder(cancelBtn_, referenceBox_);
    connect(okBtn_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);
}

void TReferencesDlg::SetReferences(const TReferenceSequences& Value) {
    references_ = Value;
    for (QRadioButton* button : checkBoxes_) delete button;
    checkBoxes_.clear();
    for (std::size_t i = 0; i < references_.size(); ++i) {
        const TReference& entry = references_[i];
        const int n = int(i) + 1;
        auto* button = new QRadioButton(referenceBox_);
        button->setObjectName(QString("Check_%1").arg(n));
        button->setGeometry(10, (n - 1) * 30 + 10, referenceBox_->width() - 20, 24);
        button->setChecked(entry.Active);
        button->setEnabled(entry.Enabled);
        button->setText(QString::fromLocal8Bit(entry.Name) + (entry.Enabled ? "" : " (missing or corrupted)"));
        // clicked() comes from the user only, so building the list fires none.
        connect(button, &QRadioButton::clicked, this, &TReferencesDlg::CheckBoxClick);
        checkBoxes_.push_back(button);
    }
}

void TReferencesDlg::CheckBoxClick() {
    const QString name = sender() ? sender()->objectName() : QString();
    bool ok = false;
    const int n = name.mid(6).toInt(&ok);
    if (!ok || n < 1 || n > int(references_.size())) return;
    for (TReference& entry : references_) entry.Active = false;
    references_[std::size_t(n) - 1].Active = true;
}

}  // namespace sequara
