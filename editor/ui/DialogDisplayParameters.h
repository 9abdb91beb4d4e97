#pragma once
// "Display parameters": the editor's six colours, each with a swatch and a
// "&Change" button that opens the colour picker of the platform.  The caller
// sets the six properties, shows the dialog and reads them back when it ends
// with OK; the close box rejects, whatever was picked meanwhile.

#include "platform/Platform.h"
#include "sequence/WorkingState.h"

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

namespace sequara {

class TDlgDisplayParameters : public QDialog {
    Q_OBJECT
public:
    // The six colours in the dialog's order from the top.
    enum Row { Header, RefSequ, Mismatch, Match, Select, Highlight, RowCount };

    explicit TDlgDisplayParameters(Platform& platform, QWidget* parent = nullptr);

    // A setter stores the colour and repaints its swatch.
    TColor GetHeaderCol() const { return colors_[Header]; }
    void SetHeaderCol(TColor Value) { setColor(Header, Value); }
    TColor GetRefSequCol() const { return colors_[RefSequ]; }
    void SetRefSequCol(TColor Value) { setColor(RefSequ, Value); }
    TColor GetMismatchCol() const { return colors_[Mismatch]; }
    void SetMismatchCol(TColor Value) { setColor(Mismatch, Value); }
    TColor GetMatchCol() const { return colors_[Match]; }
    void SetMatchCol(TColor Value) { setColor(Match, Value); }
    TColor GetSelectCol() const { return colors_[Select]; }
    void SetSelectCol(TColor Value) { setColor(Select, Value); }
    TColor GetHighlightCol() const { return colors_[Highlight]; }
    void SetHighlightCol(TColor Value) { setColor(Highlight, Value); }

    QLabel* Swatch(Row row) const { return swatches_[row]; }
    QLabel* Caption(Row row) const { return labels_[row]; }
    QPushButton* ChangeButton(Row row) const { return buttons_[row]; }
    QPushButton* OKBtn() const { return okBtn_; }

public slots:
    // Shared by the six change buttons: the picker starts on the button's
    // colour; a confirmed choice replaces it, a cancelled one changes nothing.
    void ChangeColClick();

private:
    void setColor(Row row, TColor value);

    Platform& platform_;
    std::array<TColor, RowCount> colors_{};
    std::array<QLabel*, RowCount> labels_{};
    std::array<QLabel*, RowCount> swatches_{};
    std::array<QPushButton*, RowCount> buttons_{};
    QPushButton* okBtn_;
};

}  // namespace sequara
