#pragma once
// "Alignment parameters": the four parameters of the automatic alignment.
// The caller sets the properties, shows the dialog and reads them back when
// it ends with OK; the close box rejects.  Each control's change handler
// stores the control's value in its property at once, so a value outside a
// spin box's range is stored as the bound the box shows.

#include <QDialog>
#include <cstdint>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace sequara {

class TDlgParameters : public QDialog {
    Q_OBJECT
public:
    explicit TDlgParameters(QWidget* parent = nullptr);

    std::int32_t GetAlignmentMinimum() const { return alignmentMinimum_; }
    void SetAlignmentMinimum(std::int32_t Value);
    std::int32_t GetShrinkUntil() const { return shrinkUntil_; }
    void SetShrinkUntil(std::int32_t Value);
    bool GetIgnoreFastaNs() const { return ignoreFastaNs_; }
    void SetIgnoreFastaNs(bool Value);
    bool GetIgnoreFastaGaps() const { return ignoreFastaGaps_; }
    void SetIgnoreFastaGaps(bool Value);

    QSpinBox* SpinMinAlignment() const { return spinMinAlignment_; }
    QSpinBox* SpinShrinkUntil() const { return spinShrinkUntil_; }
    QCheckBox* ChkIgnoreNs() const { return chkIgnoreNs_; }
    QCheckBox* ChkIgnoreGaps() const { return chkIgnoreGaps_; }
    QLabel* Label1() const { return label1_; }
    QLabel* Label2() const { return label2_; }
    QPushButton* OKBtn() const { return okBtn_; }

public slots:
    void SpinMinAlignmentChange();
    void SpinShrinkUntilChange();
    void ChkIgnoreNsClick();
    void ChkIgnoreGapsClick();

private:
    QSpinBox* spinMinAlignment_;
    QSpinBox* spinShrinkUntil_;
    QLabel* label1_;
    QLabel* label2_;
    QCheckBox* chkIgnoreNs_;
    QCheckBox* chkIgnoreGaps_;
    QPushButton* okBtn_;
    std::int32_t alignmentMinimum_ = 4;
    std::int32_t shrinkUntil_ = 15;
    bool ignoreFastaNs_ = false;
    bool ignoreFastaGaps_ = false;
};

}  // namespace sequara
