#include "editor/ui/DialogFind.h"

#include "platform/qt/ButtonGlyphs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sequara {

TKelvoraDlgFind::TKelvoraDlgFind(Search search, QWidget* parent)
    : QDialog(parent),
      search_(std::move(search)),
      lblFind_(new QLabel("Motif to find:", this)),
      edtFind_(new QLineEdit(this)),
      btnFind_(new QPushButton(OkGlyph(), "&Find", this)),
      btnFindNext_(new QPushButton(RetryGlyph(), "Find &next", this)),
      btnCancel_(new QPushButton(CancelGlyph(), "Cancel", this)) {
    setObjectName("KelvoraDlgFind");
    setWindowTitle("Find");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(380, 203);

    lblFind_->setObjectName("LblFind");
    lblFind_->move(40, 32);
    lblFind_->adjustSize();
    edtFind_->setObjectName("EdtFind");
    edtFind_->setGeometry(32, 64, 305, 26);
    edtFind_->setToolTip("Enter the motif (nucleotides) to find within the sequences");
    btnFind_->setObjectName("BtnFind");
    btnFind_->setGeometry(32, 128, 90, 28);
    btnFind_->setDefault(true);
    btnFindNext_->setObjectName("BtnFindNext");
    btnFindNext_->setGeometry(140, 128, 100, 28);
    btnFindNext_->setAutoDefault(false);
    btnCancel_->setObjectName("BtnCancel");
    btnCancel_->setGeometry(258, 128, 90, 28);
    btnCancel_->setAutoDefault(false);

    setTabOrder(btnFind_, btnFindNext_);
    setTabOrder(btnFindNext_, btnCancel_);
    setTabOrder(btnCancel_, edtFind_);

    connect(btnFind_, &QPushButton::clicked, this, &TKelvoraDlgFind::BtnFindClick);
    connect(btnFindNext_, &QPushButton::clicked, this, &TKelvoraDlgFind::BtnFindNextClick);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TKelvoraDlgFind::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    edtFind_->setFocus();
}

void TKelvoraDlgFind::BtnFindClick() {
    motif_ = edtFind_->text().toLocal8Bit().toStdString();
    // Only a refused (empty) motif ends the dialog, with OK.
    if (search_(motif_, currentPosition_) == FindOutcome::EmptyMotif) accept();
}

void TKelvoraDlgFind::BtnFindNextClick() {
    ++currentPosition_.X;
    BtnFindClick();
}

}  // namespace sequara
