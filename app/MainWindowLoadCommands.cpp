// The main window's load commands and the opening of the editor on the
// aligned working state.
#include "commands/AlignmentLoaders.h"
#include "commands/AutomaticAlignmentCommand.h"
#include "commands/ForensicImport.h"
#include "app/MainWindow.h"
#include "editor/commands/UndoCommands.h"
#include "editor/ui/FrmAlignmentCorrection.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>

#include <exception>
#include <new>

namespace sequara {

namespace {

// The main window's widgets as the automatic alignment uses them.
class MainWindowAlignmentView : public AutomaticAlignmentView {
public:
    explicit MainWindowAlignmentView(MainWindow& window) : w_(window) {}
    void SetMainWindowEnabled(bool enabled) override { w_.SetEnabledKeepingProgressBox(enabled); }
    void ShowProgressBox() override { w_.ShowProgressBox(); }
    void HideProgressBox() override { w_.AlignmentMessageBox()->hide(); }
    void SetProgressLabel(const std::string& text) override {
        w_.SetProgressText(QString::fromLatin1(text));
    }
    void SetGauge(int percent) override { w_.AlignmentProgressGauge()->setValue(percent); }
    void RepaintMainWindow() override { w_.repaint(); }
    void RepaintProgressBox() override { w_.AlignmentMessageBox()->repaint(); }
    void OpenEditor() override { w_.OpenAlignmentEditor(EditorFilling::FromAutomaticAlignment); }

private:
    MainWindow& w_;
};

}  // namespace

void MainWindow::Loadfromfastafile1Click() {
    MainWindowAlignmentView view(*this);
    try {
        RunAutomaticAlignmentCommand(state_, platform_, OpenFastaFileDialog(), view);
    } catch (const std::exception& e) {
        platform_.ShowMessage(std::string("The automatic alignment was interrupted: ") + e.what());
    }
}

void MainWindow::FastaAutoReverseClick() {
    state_.AutoReverse = true;
    // A click on the disabled item does nothing; AutoReverse then stays set.
    if (fastafile1_->isEnabled()) fastafile1_->trigger();
}

namespace {
// The load commands' boundary: a file too large for the memory ends the
// command with one message instead of ending the program.
template <class Load>
void runLoad(Platform& platform, Load load) {
    try {
        load();
    } catch (const std::bad_alloc&) {
        platform.ShowMessage("There is not enough memory to load this file.");
    }
}
}  // namespace

void MainWindow::Fastafilealreadyaligned1Click() {
    runLoad(platform_, [this] {
        if (LoadDisplayOnlyFasta(state_, platform_, OpenFastaFileDialog())) OpenAlignmentEditor();
    });
}

void MainWindow::Alignment1Click() {
    runLoad(platform_, [this] {
        if (LoadTemporaryAlignment(state_, platform_, OpenAlignmentDialog(), false)) OpenAlignmentEditor();
    });
}

void MainWindow::Gravityformat1Click() {
    runLoad(platform_, [this] {
        if (LoadTemporaryAlignment(state_, platform_, OpenGravityDialog(), true)) OpenAlignmentEditor();
    });
}

void MainWindow::Forensicformat1Click() {
    runLoad(platform_, [this] {
        if (ImportForensicList(state_, platform_, OpenForensicDialog())) OpenAlignmentEditor();
    });
}

FrmAlignmentCorrection* MainWindow::OpenAlignmentEditor(EditorFilling filling) {
    WorkingState& s = State();
    if (filling == EditorFilling::FromWorkingState) StoreSnapshotFromWorkingState(Session(), s);
    FrmAlignmentCorrection* editor = CreateAlignmentEditor(mdiArea(), run_);
    QAction* load = Loadfromfastafile1();
    load->setEnabled(false);
    connect(editor, &FrmAlignmentCorrection::Closed, load, [load] { load->setEnabled(true); });
    // The grids are filled through the editor's command boundary: an
    // alignment too large for the memory gives one message, leaves the
    // aligned working state as it was, and the empty window goes again.
    bool filled = true;
    if (filling == EditorFilling::FromWorkingState) {
        editor->SetReferenceName(s.AlignedReference);
        ShowAlignmentEditorMaximized(editor);
        // A click of the new window's Undo entry builds the grids.
        if (editor->Undo1()->isEnabled()) filled = editor->runCommand(ButtonUndoClick);
    } else {
        editor->SetReferenceName(s.ReferenceData);
        filled = editor->runCommand([&](EditorContext&) {
            editor->GenerateGrids(s.AlignmentPositions, s.LoadedSequences, s.ReferenceData, s.ReferenceNumbering);
        });
        ShowAlignmentEditorMaximized(editor);
    }
    if (!filled) {
        editor->Discard();
        return nullptr;
    }
    return editor;
}

}  // namespace sequara
