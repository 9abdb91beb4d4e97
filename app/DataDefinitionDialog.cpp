#include "app/DataDefinitionDialog.h"

#include "platform/qt/ButtonGlyphs.h"

#include <QPushButton>
#include <QRadioButton>

namespace sequara {

TDlgDataDefinition::TDlgDataDefinition(QWidget* parent)
    : QDialog(parent),
      radioDNA_(new QRadioButton("DNA sequences", this)),
      radioAmino_(new QRadioButton("Amino acid sequences", this)),
      bitBtn1_(new QPushButton(OkGlyph(), "OK", this)) {
    setObjectName("DlgDataDefinition");
    setWindowTitle("Specify data type");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(220, 145);

    radioDNA_->setObjectName("RadioDNA");
    radioDNA_->setGeometry(40, 24, 160, 20);
    radioDNA_->setChecked(true);
    radioAmino_->setObjectName("RadioAmino");
    radioAmino_->setGeometry(40, 56, 170, 20);
    bitBtn1_->setObjectName("BitBtn1");
    bitBtn1_->setGeometry(72, 96, 87, 28);
    bitBtn1_->setDefault(true);

    setTabOrder(radioDNA_, radioAmino_);
    setTabOrder(radioAmino_, bitBtn1_);

    connect(radioDNA_, &QRadioButton::clicked, this, &TDlgDataDefinition::RadioClick);
    connect(radioAmino_, &QRadioButton::clicked, this, &TDlgDataDefinition::RadioClick);
    connect(bitBtn1_, &QPushButton::clicked, this, &QDialog::accept);
}

void TDlgDataDefinition::SetDataType(const std::string& Value) {
    if (IsAminoDataType(UpperAscii(Value))) radioAmino_->setChecked(true);
    else radioDNA_->setChecked(true);
    dataType_ = Value;
}

void TDlgDataDefinition::RadioClick() { dataType_ = radioAmino_->isChecked() ? kAminoDataType : kDnaDataType; }

}  // namespace sequara
