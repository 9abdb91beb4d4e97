#pragma once
// The reference chooser: one radio button per reference of the run's list
// (unusable ones disabled and marked), OK and Cancel.  The caller sets
// References, shows the dialog and reads References back after OK.

#include "commands/ReferenceCommands.h"

#include <QDialog>
#include <vector>

class QFrame;
class QPushButton;
class QRadioButton;

namespace sequara {

class TReferencesDlg : public QDialog {
    Q_OBJECT
public:
    explicit TReferencesDlg(QWidget* parent = nullptr);

    // Stores the entries and builds their radio buttons "Check_1",
    // "Check_2", ... in order, 30 pixels apart.
    void SetReferences(const TReferenceSequences& Value);
    const TReferenceSequences& GetReferences() const { return references_; }

    QPushButton* OKBtn() const { return okBtn_; }
    QPushButton* CancelBtn() const { return cancelBtn_; }
    QFrame* ReferenceBox() const { return referenceBox_; }
    const std::vector<QRadioButton*>& CheckBoxes() const { return checkBoxes_; }

public slots:
    // The clicked button's entry becomes the only active one.
    void CheckBoxClick();

private:
    QPushButton* okBtn_;
    QPushButton* cancelBtn_;
    QFrame* referenceBox_;
    TReferenceSequences references_;
    std::vector<QRadioButton*> checkBoxes_;
};

}  // namespace sequara
