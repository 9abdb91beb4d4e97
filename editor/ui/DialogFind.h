#pragma once
// "Find": the motif search dialog of the editor.  It lives as long as its
// editor window; the motif typed and the position of the next search carry
// over from one showing to the next.  The dialog only reads its controls:
// each search is run by the editor (the search function given at creation),
// which moves the cursors and asks its questions.  Find with an empty motif
// ends the dialog with OK after the editor's message; every other search
// leaves it open.  Cancel and the close box end it with Cancel.

#include "editor/commands/FindMotif.h"

#include <QDialog>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace sequara {

class TKelvoraDlgFind : public QDialog {
    Q_OBJECT
public:
    // Runs one search for the motif from the position, moving the position
    // to the occurrence found.
    using Search = std::function<FindOutcome(const std::string& Motif, SearchPosition& position)>;

    explicit TKelvoraDlgFind(Search search, QWidget* parent = nullptr);

    const std::string& GetMotif() const { return motif_; }
    void SetMotif(const std::string& Value) { motif_ = Value; }
    SearchPosition GetCurrentPosition() const { return currentPosition_; }
    void SetCurrentPosition(SearchPosition Value) { currentPosition_ = Value; }

    QLabel* LblFind() const { return lblFind_; }
    QLineEdit* EdtFind() const { return edtFind_; }
    QPushButton* BtnFind() const { return btnFind_; }
    QPushButton* BtnFindNext() const { return btnFindNext_; }
    QPushButton* BtnCancel() const { return btnCancel_; }

public slots:
    // One search for the edit box's motif from the current position.
    void BtnFindClick();
    // One column right of the current position, then Find.
    void BtnFindNextClick();

protected:
    void showEvent(QShowEvent* event) override;  // FormShow: the keyboard focus goes to the edit box

private:
    Search search_;
    std::string motif_;
    SearchPosition currentPosition_;
    QLabel* lblFind_;
    QLineEdit* edtFind_;
    QPushButton* btnFind_;
    QPushButton* btnFindNext_;
    QPushButton* btnCancel_;
};

}  // namespace sequara
