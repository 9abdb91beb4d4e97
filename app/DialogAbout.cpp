#include "app/DialogAbout.h"

#include "platform/qt/ButtonGlyphs.h"
#include "commands/RunSetup.h"
#include "editor/ManualAlignmentControl.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace sequara {

namespace {
QLabel* label(const QString& text, const char* name, QWidget* parent, int left, int top) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->move(left, top);
    l->adjustSize();
    return l;
}

void makeTitleFont(QLabel* l) {
    QFont f = l->font();
    f.setFamily("Lucida Sans");
    f.setBold(true);
    f.setPixelSize(21);
    l->setFont(f);
    l->adjustSize();
}
}  // namespace

TDlgAbout::TDlgAbout(Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform) {
    setObjectName("DlgAbout");
    setWindowTitle("About Sequara");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(373, 322);

    grpProgram_ = new QGroupBox("Program", this);
    grpProgram_->setObjectName("GrpProgram");
    grpProgram_->setGeometry(8, 8, 361, 161);
    lblSequara_ = label("Sequara", "LblSequara", grpProgram_, 24, 24);
    makeTitleFont(lblSequara_);
    lblVersion_ = label("Version x.x.x.x", "LblVersion", grpProgram_, 24, 64);
    label2_ = label(QString::fromUtf8("\u00A9 The Sequara authors. All rights reserved."), "Label2", grpProgram_, 24, 96);
    btnContact_ = new QPushButton("Contact", grpProgram_);
    btnContact_->setObjectName("BtnContact");
    btnContact_->setGeometry(128, 120, 105, 25);

    grpTitlePage_ = new QGroupBox("Title page", this);
    grpTitlePage_->setObjectName("GrpTitlePage");
    grpTitlePage_->setGeometry(8, 176, 361, 105);
    label4_ = label("Front panel picture", "Label4", grpTitlePage_, 24, 32);
    makeTitleFont(label4_);
    label5_ = label("Drawn for Sequara by its authors.", "Label5", grpTitlePage_, 24, 72);

    bitBtn1_ = new QPushButton(OkGlyph(), "OK", this);
    bitBtn1_->setObjectName("BitBtn1");
    bitBtn1_->setGeometry(136, 296, 105, 25);
    bitBtn1_->setDefault(true);
    bitBtn1_->setFocus();

    connect(btnContact_, &QPushButton::clicked, this, &TDlgAbout::BtnContactClick);
    connect(bitBtn1_, &QPushButton::clicked, this, &QDialog::accept);
}

void TDlgAbout::FormActivate() {
    lblVersion_->setText(kVersionText);
    lblVersion_->adjustSize();
}

void TDlgAbout::BtnContactClick() { OpenAddressOrShowIt(platform_, kSupportMailAddress); }

void TDlgAbout::Button1Click() { OpenAddressOrShowIt(platform_, kSecondMailAddress); }

bool TDlgAbout::event(QEvent* e) {
    // Showing counts as an activation too: a window system may show the box
    // without activating it, and the placeholder "Version x.x.x.x" is never seen.
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show) FormActivate();
    return QDialog::event(e);
}

}  // namespace sequara
