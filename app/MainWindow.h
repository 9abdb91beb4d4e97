#pragma once
// The main window: an MDI frame captioned "Sequara" with the main menu, the
// front panel shown at the first activation, the progress box of the
// automatic alignment, and the run set-up behind the front panel's Continue
// button.  The window owns the run's WorkingState; every question and message
// goes through the Platform it is given.

#include "editor/RunContext.h"
#include "platform/Platform.h"
#include "sequence/WorkingState.h"

#include <QMainWindow>
#include <QPoint>
#include <string>

class QAction;
class QByteArray;
class QFrame;
class QGroupBox;
class QLabel;
class QMdiArea;
class QMenu;
class QProgressBar;
class QPushButton;

namespace sequara {

class FrmAlignmentCorrection;

// How a newly opened editor gets its grids.
enum class EditorFilling {
    // From the aligned working state by way of the undo snapshot (the
    // loaders, the backup restore): labels come back padded to 5 characters.
    FromWorkingState,
    // From the automatic alignment's AlignmentPositions and LoadedSequences
    // (GenerateGrids).
    FromAutomaticAlignment,
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // programPath: the full name of the program file; its folder becomes
    // ApplicationFolder at the run set-up (tests pass a file in a temporary
    // folder).
    MainWindow(Platform& platform, std::string programPath, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The run: working state, editor session (undo snapshot and copy
    // buffer, kept for the whole run) and platform.
    RunContext& run() { return run_; }
    WorkingState& State() { return run_.State(); }
    const WorkingState& State() const { return run_.State(); }
    EditorSession& Session() { return run_.Session(); }
    Platform& platform() { return platform_; }

    // The one way the editor opens: creates it on the run, names its
    // reference, disables the Load menu until it closes, shows it maximised
    // with the focus in the sequence grid and fills its grids (see
    // EditorFilling).  Every load command, the backup restore and the
    // automatic alignment call it.  Returns the editor.
    FrmAlignmentCorrection* OpenAlignmentEditor(EditorFilling filling = EditorFilling::FromWorkingState);
    QMdiArea* mdiArea() const { return mdi_; }

    // Main menu.  A top-level menu is reached through its menu action:
    // disabling that action makes the whole sub-menu unreachable.
    QAction* Loadfromfastafile1() const;       // "&Load"
    QAction* FastaAutoReverse() const { return fastaAutoReverse_; }
    QAction* Fastafile1() const { return fastafile1_; }
    QAction* Fastafilealreadyaligned1() const { return fastafileAlreadyAligned1_; }
    QAction* Alignment1() const { return alignment1_; }
    QAction* Gravityformat1() const { return gravityformat1_; }
    QAction* Forensicformat1() const { return forensicformat1_; }
    QAction* Referencesequence1() const;       // "&Reference sequence"
    QAction* Change1() const { return change1_; }
    QAction* New1() const { return new1_; }
    QAction* Parameters1() const;              // "&Parameters"
    QAction* AdjustParam() const { return adjustParam_; }
    QAction* SaveParam() const { return saveParam_; }
    QAction* About1() const { return about1_; }
    QAction* Help1() const;                    // "&Help"
    QAction* Outputformats1() const { return outputformats1_; }
    QAction* Pooralignmentresult1() const { return pooralignmentresult1_; }
    QAction* Other1() const { return other1_; }
    QAction* Exit1() const { return exit1_; }
    QMenu* LoadMenu() const { return loadMenu_; }

    // Progress box of the automatic alignment (hidden until it runs): a
    // small window of its own at kProgressBoxPlace of the client area, sized
    // to its text, enabled while the main window is disabled.
    static constexpr QPoint kProgressBoxPlace{160, 96};
    QGroupBox* AlignmentMessageBox() const { return alignmentMessageBox_; }
    QLabel* AlignmentMessageLabel() const { return alignmentMessageLabel_; }
    QProgressBar* AlignmentProgressGauge() const { return alignmentProgressGauge_; }
    void ShowProgressBox();
    void SetProgressText(const QString& text);
    // Enables or disables the main window; the progress box stays enabled.
    void SetEnabledKeepingProgressBox(bool enabled);

    // Open dialogs of the load commands: their filters, and the filter and
    // folder last used, kept for the run.
    FileDialogOptions& OpenFastaFileDialog() { return openFastaFileDialog_; }
    FileDialogOptions& OpenAlignmentDialog() { return openAlignmentDialog_; }
    FileDialogOptions& OpenGravityDialog() { return openGravityDialog_; }
    FileDialogOptions& OpenForensicDialog() { return openForensicDialog_; }
    FileDialogOptions& DlgLoadReference() { return dlgLoadReference_; }

    // Front panel.
    QFrame* FrontPanel() const { return frontPanel_; }
    QLabel* FrontImage() const { return frontImage_; }
    QLabel* FrontLabel() const { return frontLabel_; }
    QPushButton* FrontPanelOKButton() const { return frontPanelOKButton_; }

    // Shows the given JPEG on the front panel; a picture that does not
    // decode leaves the panel without one.  False in that case.
    bool LoadFrontPicture(const QByteArray& jpeg);

public slots:
    // First activation: locks the menus and shows the front panel; later
    // activations do nothing.  Called from the window's activation event.
    void FormActivate();
    // Continue on the front panel: the run set-up.
    void FrontPanelOKButtonClick();
    // Exit: closes an open editor first, which asks to save unsaved work;
    // the program ends unless the editor stays open.
    void Exit1Click();
    void LicenseWeblinkLabelClick();

    // "&About" and the Help menu.
    void About1Click();
    void Outputformats1Click();
    void Pooralignmentresult1Click();
    void Other1Click();

    // Load commands (MainWindowLoadCommands.cpp).
    void Loadfromfastafile1Click();
    void FastaAutoReverseClick();
    void Fastafilealreadyaligned1Click();
    void Alignment1Click();
    void Gravityformat1Click();
    void Forensicformat1Click();

    // Reference and parameter commands (MainWindowSettingsCommands.cpp).
    void New1Click();
    void Change1Click();
    void Parameters1Click();
    void SaveParamClick();

protected:
    bool event(QEvent* e) override;
    // The close box is Exit: an open editor may ask to save, and while it
    // stays open so does the program.
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void FormCreate();
    void createMenus();
    void createOpenDialogs();
    void createFrontPanel();
    void createProgressBox();
    void placePanels();
    // Shows the data-type dialog on the current DataType; returns the
    // chosen type, or the current one when the dialog is not confirmed.
    std::string askDataType();

    Platform& platform_;
    std::string programPath_;
    RunContext run_;
    WorkingState& state_ = run_.State();

    QMdiArea* mdi_ = nullptr;
    QMenu* loadMenu_ = nullptr;
    QMenu* referenceMenu_ = nullptr;
    QMenu* parametersMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* fastaAutoReverse_ = nullptr;
    QAction* fastafile1_ = nullptr;
    QAction* fastafileAlreadyAligned1_ = nullptr;
    QAction* alignment1_ = nullptr;
    QAction* gravityformat1_ = nullptr;
    QAction* forensicformat1_ = nullptr;
    QAction* change1_ = nullptr;
    QAction* new1_ = nullptr;
    QAction* adjustParam_ = nullptr;
    QAction* saveParam_ = nullptr;
    QAction* about1_ = nullptr;
    QAction* outputformats1_ = nullptr;
    QAction* pooralignmentresult1_ = nullptr;
    QAction* other1_ = nullptr;
    QAction* exit1_ = nullptr;

    QGroupBox* alignmentMessageBox_ = nullptr;
    QLabel* alignmentMessageLabel_ = nullptr;
    QProgressBar* alignmentProgressGauge_ = nullptr;

    FileDialogOptions openFastaFileDialog_;
    FileDialogOptions openAlignmentDialog_;
    FileDialogOptions openGravityDialog_;
    FileDialogOptions openForensicDialog_;
    FileDialogOptions dlgLoadReference_;

    QFrame* frontPanel_ = nullptr;
    QLabel* frontImage_ = nullptr;
    QLabel* frontLabel_ = nullptr;
    QPushButton* frontPanelOKButton_ = nullptr;
    bool setUpDone_ = false;
};

}  // namespace sequara
