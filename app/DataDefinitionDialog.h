#pragma once
// "Specify data type": asks whether the run's sequences are DNA or amino-acid
// sequences.  The OK button accepts; the close box rejects, and the caller
// then keeps its current data type.

#include "sequence/CharacterRules.h"

#include <QDialog>
#include <string>

class QPushButton;
class QRadioButton;

namespace sequara {

class TDlgDataDefinition : public QDialog {
    Q_OBJECT
public:
    explicit TDlgDataDefinition(QWidget* parent = nullptr);

    // "AMINO" in any letter case checks RadioAmino, anything else RadioDNA;
    // the value itself is kept as given.
    void SetDataType(const std::string& Value);
    const std::string& GetDataType() const { return dataType_; }

    QRadioButton* RadioDNA() const { return radioDNA_; }
    QRadioButton* RadioAmino() const { return radioAmino_; }
    QPushButton* BitBtn1() const { return bitBtn1_; }

public slots:
    // Either radio button clicked: "AMINO" when RadioAmino is checked, else "DNA".
    void RadioClick();

private:
    QRadioButton* radioDNA_;
    QRadioButton* radioAmino_;
    QPushButton* bitBtn1_;
    std::string dataType_ = kDnaDataType;
};

}  // namespace sequara
