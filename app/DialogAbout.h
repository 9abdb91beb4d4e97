#pragma once
// "About Sequara": the product name and version, a notice naming the rights
// holder, a button that opens a new mail message to the support mailbox, and
// the credit for the front panel's picture.  Created for one showing only.

#include "platform/Platform.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

namespace sequara {

inline constexpr const char* kSupportMailAddress = "mailto:support@sequara.example.org";
// A second mailbox, reached by no control of the dialog.
inline constexpr const char* kSecondMailAddress = "mailto:info@sequara.example.org";

class TDlgAbout : public QDialog {
    Q_OBJECT
public:
    explicit TDlgAbout(Platform& platform, QWidget* parent = nullptr);

    QGroupBox* GrpProgram() const { return grpProgram_; }
    QLabel* LblSequara() const { return lblSequara_; }
    QLabel* LblVersion() const { return lblVersion_; }
    QLabel* Label2() const { return label2_; }
    QPushButton* BtnContact() const { return btnContact_; }
    QGroupBox* GrpTitlePage() const { return grpTitlePage_; }
    QLabel* Label4() const { return label4_; }
    QLabel* Label5() const { return label5_; }
    QPushButton* BitBtn1() const { return bitBtn1_; }

public slots:
    // Every activation shows the program's version.
    void FormActivate();
    void BtnContactClick();
    void Button1Click();

protected:
    bool event(QEvent* e) override;

private:
    Platform& platform_;
    QGroupBox* grpProgram_;
    QLabel* lblSequara_;
    QLabel* lblVersion_;
    QLabel* label2_;
    QPushButton* btnContact_;
    QGroupBox* grpTitlePage_;
    QLabel* label4_;
    QLabel* label5_;
    QPushButton* bitBtn1_;
};

}  // namespace sequara
