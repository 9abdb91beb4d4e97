// The editor window's find dialog and display colours: the dialogs return
// what the user chose, and the commands of editor/commands change the view
// and the working state through the window's command boundary.
#include "editor/commands/DisplayColours.h"
#include "editor/commands/FindMotif.h"
#include "editor/ui/DialogDisplayParameters.h"
#include "editor/ui/DialogFind.h"
#include "editor/ui/FrmAlignmentCorrection.h"

#include <QMdiSubWindow>

namespace sequara {

void FrmAlignmentCorrection::createFindDialog() {
    if (findDialog_) return;
    findDialog_ = new TKelvoraDlgFind(
        [this](const std::string& motif, SearchPosition& position) {
            FindOutcome outcome = FindOutcome::NotFound;
            runCommand([&](EditorContext& ctx) { outcome = BtnFindClick(ctx, motif, position); });
            return outcome;
        },
        this);
}

void FrmAlignmentCorrection::Findmotif1Click() {
    EditorView& view = model_.View();
    view.SearchStartX = view.SequenceGrid.Col();
    view.SearchStartY = view.SequenceGrid.Row() + 1;
    findDialog_->SetCurrentPosition({view.SearchStartX, view.SearchStartY});
    findDialog_->exec();
}

void FrmAlignmentCorrection::Displayparameters1Click() {
    const DisplayColours current = CurrentDisplayColours(run_.State());
    TDlgDisplayParameters dialog(run_.platform(), this);
    dialog.SetHeaderCol(current.Header);
    dialog.SetRefSequCol(current.Reference);
    dialog.SetMatchCol(current.Match);
    dialog.SetMismatchCol(current.Mismatch);
    dialog.SetSelectCol(current.Selection);
    dialog.SetHighlightCol(current.Highlight);
    if (dialog.exec() != QDialog::Accepted) return;
    const DisplayColours chosen{dialog.GetHeaderCol(), dialog.GetRefSequCol(), dialog.GetMatchCol(),
                                dialog.GetMismatchCol(), dialog.GetSelectCol(), dialog.GetHighlightCol()};
    runCommand([&](EditorContext&) { SetDisplayColours(run_.State(), chosen); });
    // The window is shown anew, maximised, in the new colours.
    QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
    frame->showMinimized();
    frame->showMaximized();
    run_.platform().ProcessMessages();
    update();
}

void FrmAlignmentCorrection::Save2Click() { runCommand(SaveDisplaySettings); }

}  // namespace sequara
