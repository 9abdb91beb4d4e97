#include "app/DialogParameters.h"

#include "platform/qt/ButtonGlyphs.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace sequara {

namespace {
// A spin box changed only by its arrows: typing is off, at most two digits.
QSpinBox* arrowsOnlySpinBox(QWidget* parent, int minimum, int maximum, int value) {
    auto* spin = new QSpinBox(parent);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    if (auto* edit = spin->findChild<QLineEdit*>()) {
        edit->setReadOnly(true);
        edit->setMaxLength(2);
    }
    return spin;
}
}  // namespace

TDlgParameters::TDlgParameters(QWidget* parent)
    : QDialog(parent),
      spinMinAlignment_(arrowsOnlySpinBox(this, 1, 20, 4)),
      spinShrinkUntil_(arrowsOnlySpinBox(this, 1, 30, 15)),
      label1_(new QLabel("Minimum number of matches for alignment", this)),
      label2_(new QLabel("Initial and final nucleotides to be simply attached without aligning (Values >10 help "
                         "to prevent excessive initial and final gaps)",
                         this)),
      chkIgnoreNs_(new QCheckBox("Ignore Ns in FASTA sequences", this)),
      chkIgnoreGaps_(new QCheckBox("Ignore gaps in FASTA sequences", this)),
      okBtn_(new QPushButton(OkGlyph(), "OK", this)) {
    setObjectName("DlgParameters");
    setWindowTitle("Alignment parameters");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(609, 322);

    spinMinAlignment_->setObjectName("SpinMinAlignment");
    spinMinAlignment_->setGeometry(32, 32, 57, 26);
    label1_->setObjectName("Label1");
    label1_->setGeometry(104, 32, 480, 26);
    spinShrinkUntil_->setObjectName("SpinShrinkUntil");
    spinShrinkUntil_->setGeometry(32, 88, 57, 26);
    label2_->setObjectName("Label2");
    label2_->setWordWrap(true);
    label2_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label2_->setGeometry(104, 92, 480, 52);
    chkIgnoreNs_->setObjectName("ChkIgnoreNs");
    chkIgnoreNs_->setGeometry(32, 160, 400, 24);
    chkIgnoreGaps_->setObjectName("ChkIgnoreGaps");
    chkIgnoreGaps_->setGeometry(32, 196, 400, 24);
    okBtn_->setObjectName("OKBtn");
    okBtn_->setGeometry(261, 256, 87, 28);
    okBtn_->setDefault(true);

    setTabOrder(spinMinAlignment_, spinShrinkUntil_);
    setTabOrder(spinShrinkUntil_, chkIgnoreNs_);
    setTabOrder(chkIgnoreNs_, chkIgnoreGaps_);
    setTabOrder(chkIgnoreGaps_, okBtn_);

    connect(spinMinAlignment_, &QSpinBox::valueChanged, this, &TDlgParameters::SpinMinAlignmentChange);
    connect(spinShrinkUntil_, &QSpinBox::valueChanged, this, &TDlgParameters::SpinShrinkUntilChange);
    connect(chkIgnoreNs_, &QCheckBox::toggled, this, &TDlgParameters::ChkIgnoreNsClick);
    connect(chkIgnoreGaps_, &QCheckBox::toggled, this, &TDlgParameters::ChkIgnoreGapsClick);
    connect(okBtn_, &QPushButton::clicked, this, &QDialog::accept);
}

// A setter stores the value and then shows it; the box keeps it inside its
// range, and the property holds what the box shows.
void TDlgParameters::SetAlignmentMinimum(std::int32_t Value) {
    alignmentMinimum_ = Value;
    spinMinAlignment_->setValue(Value);
    SpinMinAlignmentChange();
}

void TDlgParameters::SetShrinkUntil(std::int32_t Value) {
    shrinkUntil_ = Value;
    spinShrinkUntil_->setValue(Value);
    SpinShrinkUntilChange();
}

void TDlgParameters::SetIgnoreFastaNs(bool Value) {
    ignoreFastaNs_ = Value;
    chkIgnoreNs_->setChecked(Value);
}

void TDlgParameters::SetIgnoreFastaGaps(bool Value) {
    ignoreFastaGaps_ = Value;
    chkIgnoreGaps_->setChecked(Value);
}

void TDlgParameters::SpinMinAlignmentChange() { alignmentMinimum_ = spinMinAlignment_->value(); }
void TDlgParameters::SpinShrinkUntilChange() { shrinkUntil_ = spinShrinkUntil_->value(); }
void TDlgParameters::ChkIgnoreNsClick() { ignoreFastaNs_ = chkIgnoreNs_->isChecked(); }
void TDlgParameters::ChkIgnoreGapsClick() { ignoreFastaGaps_ = chkIgnoreGaps_->isChecked(); }

}  // namespace sequara
