// The main window's reference and parameter commands: each shows its dialog,
// and the window changes the working state and its menus from what the
// dialog or the plain command returns.
#include "app/DialogParameters.h"
#include "app/DialogReferences.h"
#include "app/MainWindow.h"
#include "commands/ReferenceCommands.h"
#include "sequence/SettingsWriter.h"

#include <QAction>
#include <exception>

namespace sequara {

void MainWindow::New1Click() {
    switch (LoadNewReference(state_, platform_, dlgLoadReference_)) {
        case NewReferenceOutcome::Accepted:
            fastafile1_->setEnabled(true);
            break;
        case NewReferenceOutcome::Refused:   // the previous reference stays in use, and so do the menus
        case NewReferenceOutcome::Cancelled:
            break;
    }
}

void MainWindow::Change1Click() {
    TReferencesDlg dialog(this);
    dialog.SetReferences(ReferenceChoices(state_));
    if (dialog.exec() == QDialog::Accepted) ApplyReferenceChoices(state_, dialog.GetReferences());
}

void MainWindow::Parameters1Click() {
    TDlgParameters dialog(this);
    dialog.SetAlignmentMinimum(state_.MinAlignmentMatch);
    dialog.SetShrinkUntil(state_.InitialNucleotides);
    dialog.SetIgnoreFastaNs(state_.IgnoreFastaNs);
    dialog.SetIgnoreFastaGaps(state_.IgnoreFastaGaps);
    if (dialog.exec() != QDialog::Accepted) return;
    state_.MinAlignmentMatch = dialog.GetAlignmentMinimum();
    state_.InitialNucleotides = dialog.GetShrinkUntil();
    state_.IgnoreFastaNs = dialog.GetIgnoreFastaNs();
    state_.IgnoreFastaGaps = dialog.GetIgnoreFastaGaps();
}

void MainWindow::SaveParamClick() {
    try {
        WriteSettingsSection(state_, CalcParamsSection(state_), platform_);
    } catch (const std::exception& e) {
        platform_.ShowMessage(e.what());
    }
}

}  // namespace sequara
