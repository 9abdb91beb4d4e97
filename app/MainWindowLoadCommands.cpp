// The main window's load commands and the opening of the editor on the
// aligned working state.
#include "app/MainWindow.h"

namespace sequara {

void MainWindow::Loadfromfastafile1Click() {}

void MainWindow::FastaAutoReverseClick() {}

void MainWindow::Fastafilealreadyaligned1Click() {}

void MainWindow::Alignment1Click() {}

void MainWindow::Gravityformat1Click() {}

void MainWindow::Forensicformat1Click() {}

void MainWindow::OpenAlignmentEditor() {}

}  // namespace sequara
