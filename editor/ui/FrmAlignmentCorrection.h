#pragma once
// The alignment editor window: a child of the main window's MDI frame with
// the reference grid over the sequence grid, the display and shift options,
// the name-column zoom, its main menu and the two popup menus.  It draws the
// AlignmentEditorModel and forwards the user's actions to it.

#include "editor/AlignmentEditorModel.h"
#include "editor/commands/SaveCommand.h"
#include "editor/ui/GlyphCache.h"
#include "editor/ui/StringGridView.h"
#include "platform/Platform.h"
#include "platform/qt/QtColor.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMenuBar;
class QProgressBar;
class QRadioButton;
class QSlider;
class QTimer;

namespace sequara {

class TKelvoraDlgFind;

// The grids read the header, reference and cell colours from the working
// state on every paint, so a changed colour shows from the next paint.
class FrmAlignmentCorrection : public QWidget {
    Q_OBJECT
public:
    // Creates the window's components and runs FormCreate: caption from
    // AlignmentTitle, popup menu for the data type, autosave timer on, no
    // highlighted row.  The window is not shown yet.
    explicit FrmAlignmentCorrection(RunContext& run, QWidget* parent = nullptr);
    ~FrmAlignmentCorrection() override;

    AlignmentEditorModel& Model() { return model_; }

    // Fills the grids from an automatic alignment (see the model) and
    // places them.
    void GenerateGrids(const TAlignmentResult& Alignment, const TFastaDataSet& DataSet,
                       const TFastaDataSet& Reference, const TCharacterName& CharNames);
    void ReadAlignmentFromGrids();
    void SetReferenceName(const TFastaDataSet& ReferenceName);
    void SetReferenceName(const TAlignedDataSet& ReferenceName);
    void AdjustCellSizes();
    void ApplyZoom();
    void ShowMismatches();
    // Repaints both grids after the model changed.
    void RefreshGrids();
    // Gives the sequence grid the keyboard focus, now or as soon as the
    // window is enabled.
    void FocusSequenceGrid();
    // Closes a window whose grids could not be filled, without the question
    // about saving (there is nothing of its own to save).
    void Discard();

    // The command boundary: runs a command of editor/commands on this
    // window's document and view (RunEditorCommand: on an exception the
    // previous state comes back and one message is shown), then brings the
    // grids' sizes, the Undo entry and the painting up to date.  Every menu
    // entry, popup entry and key that runs a command goes through here.
    bool runCommand(const std::function<void(EditorContext&)>& command);

    // The window's components; their object names are the ones tests and the screenshots find them by.
    QLabel* ReferenceLabel() const { return referenceLabel_; }
    QLabel* lblReferenceName() const { return lblReferenceName_; }
    StringGridView* ReferenceGrid() const { return referenceGrid_; }
    StringGridView* AlignedSequencesGrid() const { return alignedSequencesGrid_; }
    QGroupBox* DisplayOptionsBox() const { return displayOptionsBox_; }
    QRadioButton* ShowMismatchesRadio() const { return showMismatchesRadio_; }
    QRadioButton* ShowMatchesRadio() const { return showMatchesRadio_; }
    QCheckBox* ChkMoveRight() const { return chkMoveRight_; }
    QGroupBox* InsertionOptionBox() const { return insertionOptionBox_; }
    QRadioButton* InsertionMoveRightRadio() const { return insertionMoveRightRadio_; }
    QRadioButton* InsertionMoveLeftRadio() const { return insertionMoveLeftRadio_; }
    QGroupBox* DeletionOptionBox() const { return deletionOptionBox_; }
    QRadioButton* DeletionMoveRightRadio() const { return deletionMoveRightRadio_; }
    QRadioButton* DeletionMoveLeftRadio() const { return deletionMoveLeftRadio_; }
    QGroupBox* MsgBoxSaveInProgress() const { return msgBoxSaveInProgress_; }
    QLabel* LblSaveInProgress() const { return lblSaveInProgress_; }
    QProgressBar* SaveProgressGauge() const { return saveProgressGauge_; }
    QSlider* TrackBar1() const { return trackBar1_; }
    QMenu* AlignmentGridPopup() const { return alignmentGridPopup_; }
    const std::vector<QAction*>& PopupMenuItems() const { return popupMenuItems_; }
    // The find dialog, kept for the window's lifetime.
    TKelvoraDlgFind* FindDialog() const { return findDialog_; }
    QMenu* ReferenceGridPopup() const { return referenceGridPopup_; }
    QAction* Insertcharacter2() const { return insertcharacter2_; }
    QAction* Deletecharacter2() const { return deletecharacter2_; }
    QTimer* Timer1() const { return timer1_; }
    QMenuBar* MainMenu1() const { return mainMenu1_; }
    QAction* Save1() const { return save1_; }
    QAction* Undo1() const { return undo1_; }
    QMenu* Edit1() const { return edit1_; }
    QAction* Findmotif1() const { return findmotif1_; }
    QAction* Editnucleotides1() const { return editnucleotides1_; }
    QAction* EditorExchangereferencesequence1() const { return editorExchangereferencesequence1_; }
    QAction* Editsequencerangeornumbering1() const { return editsequencerangeornumbering1_; }
    QAction* Edittaxonnames1() const { return edittaxonnames1_; }
    QAction* Addalignmentfile1() const { return addalignmentfile1_; }
    QMenu* Displayparameters1() const { return displayparameters1_; }
    QAction* Change1() const { return change1_; }
    QAction* Save2() const { return save2_; }
    QMenu* Help1() const { return help1_; }
    QAction* Outputformats1() const { return outputformats1_; }
    QAction* Pooralignmentresult1() const { return pooralignmentresult1_; }
    QAction* Other1() const { return other1_; }
    QAction* Exit1() const { return exit1_; }

signals:
    // FormClose has run: the window is going; the main window enables its
    // Load menu again.
    void Closed();

public slots:
    void ShowMismatchesRadioClick();
    void ShowMatchesRadioClick();
    void TrackBar1Change(int position);
    void AlignedSequencesGridTopLeftChanged();
    void RadioButtonPressed();
    // Exit: stops the autosave timer, then closes the window.
    void ButtonCancelClick();
    // Save: runs the Save command through the command boundary, then shows
    // the caption it leaves.
    void ButtonSaveClick();
    // One autosave tick (the interval is Timer1's, 60 s).
    void Timer1Timer();
    // Edit > Find motif (Ctrl+F): the find dialog from the cursor cell.
    void Findmotif1Click();
    // Settings > Display parameters: the colour dialog; OK repaints the
    // editor in the chosen colours.
    void Displayparameters1Click();
    // Settings > Save settings: the colours into the settings file.
    void Save2Click();
    // Add alignment file: merges a second temporary alignment; after a merge
    // the cell sizes and the reference name are set again.
    void Addalignmentfile1Click();

protected:
    void closeEvent(QCloseEvent* event) override;  // FormClose
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    class SequencePainter;
    class ReferencePainter;
    class WindowSaveProgress;
    class WindowAutosaveTimer;
    SaveServices saveServices();
    void showCaption();
    void FormCreate();
    void createMenus();
    void createComponents();
    void placeComponents();
    void syncFromModel();
    void showSequencePopup(const QPoint& viewportPoint);
    void showReferencePopup(const QPoint& viewportPoint);
    void createFindDialog();

    RunContext& run_;
    AlignmentEditorModel model_;
    GlyphCache glyphs_;
    std::unique_ptr<SequencePainter> sequencePainter_;
    std::unique_ptr<ReferencePainter> referencePainter_;
    std::unique_ptr<WindowSaveProgress> saveProgress_;
    SaveSession saveSession_;
    bool closing_ = false;
    bool focusWhenEnabled_ = false;

    QLabel* referenceLabel_ = nullptr;
    QLabel* lblReferenceName_ = nullptr;
    StringGridView* referenceGrid_ = nullptr;
    StringGridView* alignedSequencesGrid_ = nullptr;
    QGroupBox* displayOptionsBox_ = nullptr;
    QRadioButton* showMismatchesRadio_ = nullptr;
    QRadioButton* showMatchesRadio_ = nullptr;
    QCheckBox* chkMoveRight_ = nullptr;
    QGroupBox* insertionOptionBox_ = nullptr;
    QRadioButton* insertionMoveRightRadio_ = nullptr;
    QRadioButton* insertionMoveLeftRadio_ = nullptr;
    QGroupBox* deletionOptionBox_ = nullptr;
    QRadioButton* deletionMoveRightRadio_ = nullptr;
    QRadioButton* deletionMoveLeftRadio_ = nullptr;
    QGroupBox* msgBoxSaveInProgress_ = nullptr;
    QLabel* lblSaveInProgress_ = nullptr;
    QProgressBar* saveProgressGauge_ = nullptr;
    QSlider* trackBar1_ = nullptr;
    QMenu* alignmentGridPopup_ = nullptr;
    std::vector<QAction*> popupMenuItems_;
    QMenu* referenceGridPopup_ = nullptr;
    QAction* insertcharacter2_ = nullptr;
    QAction* deletecharacter2_ = nullptr;
    QTimer* timer1_ = nullptr;
    QMenuBar* mainMenu1_ = nullptr;
    QAction* save1_ = nullptr;
    QAction* undo1_ = nullptr;
    QMenu* edit1_ = nullptr;
    QAction* findmotif1_ = nullptr;
    QAction* editnucleotides1_ = nullptr;
    QAction* editorExchangereferencesequence1_ = nullptr;
    QAction* editsequencerangeornumbering1_ = nullptr;
    QAction* edittaxonnames1_ = nullptr;
    QAction* addalignmentfile1_ = nullptr;
    QMenu* displayparameters1_ = nullptr;
    QAction* change1_ = nullptr;
    QAction* save2_ = nullptr;
    QMenu* help1_ = nullptr;
    QAction* outputformats1_ = nullptr;
    QAction* pooralignmentresult1_ = nullptr;
    QAction* other1_ = nullptr;
    QAction* exit1_ = nullptr;
    TKelvoraDlgFind* findDialog_ = nullptr;
};

// Creates the editor window inside the MDI area (no border icons; freed when
// closed) and returns it, FormCreate done, not yet shown.
FrmAlignmentCorrection* CreateAlignmentEditor(QMdiArea* area, RunContext& run);
// The open editor window of the area, or nullptr.
FrmAlignmentCorrection* FindAlignmentEditor(QMdiArea* area);
// Shows the editor maximised inside its MDI area, the keyboard focus in the
// sequence grid (once the window can take it: the automatic alignment opens
// the editor while the main window is still disabled).
void ShowAlignmentEditorMaximized(FrmAlignmentCorrection* editor);
// Closes the open editor (runs its FormClose, which may ask to save unsaved
// work).  False when the editor stays open; true when none is left.
bool CloseAlignmentEditor(QMdiArea* area);

}  // namespace sequara
