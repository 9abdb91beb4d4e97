// The editor window, headless: its components and menus, the grids it draws
// from an automatic alignment, zoom and scroll coupling, closing.
#include "editor/ManualAlignmentControl.h"
#include "editor/ui/FrmAlignmentCorrection.h"
#include "platform/ScriptedPlatform.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace sequara {
namespace {

class EditorWindowTest : public ::testing::Test {
protected:
    EditorWindowTest() {
        state.DataType = "DNA";
        state.AlignmentTitle = "/data/hvs1.fasta";
        state.HeaderColor = 0x00C0C0C0;
        state.ReferenceColor = 0x00FFFFFF;
        state.MatchColor = 0x00E0FFE0;
        state.MismatchColor = 0x000000FF;  // red
        state.SelectionColor = 0x00FF0000;  // blue
        state.HighlightColor = 0x0000FFFF;  // yellow
        frame.resize(1200, 800);
        frame.setCentralWidget(area);
        frame.show();
    }
    FrmAlignmentCorrection* open(const std::string& reference, const TFastaDataSet& data,
                                 const TAlignmentResult& rows, const TCharacterName& names = {}) {
        state.ReferenceData = {{"rCRS", reference}};
        FrmAlignmentCorrection* e = CreateAlignmentEditor(area, run);
        e->SetReferenceName(state.ReferenceData);
        e->GenerateGrids(rows, data, state.ReferenceData, names);
        ShowAlignmentEditorMaximized(e);
        QApplication::processEvents();
        return e;
    }
    // Pixel colour at the middle of a cell's left part (away from the glyph's
    // strokes is not guaranteed, so the cell's bottom row is sampled).
    static QColor CellColour(StringGridView* grid, int col, int row) {
        QImage image = grid->viewport()->grab().toImage();
        QRect r = grid->CellRect(col, row);
        return image.pixelColor(r.right() - 1, r.bottom());
    }

    ScriptedPlatform platform;
    RunContext run{platform};
    WorkingState& state = run.State();
    QMainWindow frame;
    QMdiArea* area = new QMdiArea;
};

TEST_F(EditorWindowTest, CreationSetsCaptionMenusPopupAndTimer) {
    FrmAlignmentCorrection* e = open("ACGT", {{"s1", "ACGT"}}, {{1, 2, 3, 4}});
    auto* sub = qobject_cast<QMdiSubWindow*>(e->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->windowTitle().toStdString(), "/data/hvs1.fasta");
    EXPECT_TRUE(sub->isMaximized());
    EXPECT_FALSE(sub->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(e->lblReferenceName()->text().toStdString(), "rCRS");
    EXPECT_EQ(e->ReferenceLabel()->text().toStdString(), "Reference sequence:  ");

    ASSERT_EQ(e->AlignmentGridPopup()->actions().size(), 23);
    EXPECT_EQ(e->AlignmentGridPopup()->actions()[6]->text().toStdString(), "Highlight sequence");
    EXPECT_EQ(e->ReferenceGridPopup()->actions()[0]->text().toStdString(), "Insert character");
    EXPECT_TRUE(e->Timer1()->isActive());
    EXPECT_EQ(e->Timer1()->interval(), 60000);
    EXPECT_FALSE(e->Undo1()->isEnabled());  // grids from GenerateGrids: nothing to undo
    EXPECT_EQ(e->Save1()->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(e->Undo1()->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(e->Findmotif1()->shortcut(), QKeySequence("Ctrl+F"));
    QStringList top;
    for (QAction* a : e->MainMenu1()->actions()) top << a->text();
    EXPECT_EQ(top.join("|").toStdString(), "&Save|&Undo|E&dit|Add alignment file|Se&ttings|&Help|&Exit");
    EXPECT_TRUE(e->ShowMatchesRadio()->isChecked());
    EXPECT_TRUE(e->ChkMoveRight()->isChecked());
    EXPECT_TRUE(e->InsertionMoveRightRadio()->isChecked());
    EXPECT_TRUE(e->DeletionMoveLeftRadio()->isChecked());
    EXPECT_FALSE(e->MsgBoxSaveInProgress()->isVisible());
    EXPECT_EQ(e->Model().View().HighlightedRow, -1);
}

TEST_F(EditorWindowTest, AminoAcidPopupHasThirtyThreeEntries) {
    state.DataType = "AMINO";
    FrmAlignmentCorrection* e = open("MKV", {{"p", "MKV"}}, {{1, 2, 3}});
    ASSERT_EQ(e->AlignmentGridPopup()->actions().size(), 33);
    EXPECT_EQ(e->AlignmentGridPopup()->actions().back()->text().toStdString(), "- = Deletion");
}

TEST_F(EditorWindowTest, ZoomKeepsTheReferenceGridOverTheCharacterColumns) {
    FrmAlignmentCorrection* e = open("ACGT", {{"s1", "ACGT"}}, {{1, 2, 3, 4}});
    StringGridView* seq = e->AlignedSequencesGrid();
    StringGridView* ref = e->ReferenceGrid();
    for (int pos : {0, 4, 10}) {
        e->TrackBar1()->setValue(pos);
        EXPECT_EQ(e->Model().NameWidth(), 146 + 10 * pos);
        EXPECT_EQ(ref->x(), seq->x() + e->Model().NameWidth() + 1);
        EXPECT_EQ(ref->height(), 106);
        EXPECT_EQ(seq->y(), ref->y() + 106 + 5);
        // Column p of the sequence grid and column p-1 of the reference grid
        // start at the same place in the window.
        const int seqX = seq->viewport()->mapTo(e, seq->CellRect(1, 0).topLeft()).x();
        const int refX = ref->viewport()->mapTo(e, ref->CellRect(0, 5).topLeft()).x();
        EXPECT_EQ(seqX, refX);
    }
}

TEST_F(EditorWindowTest, PaintingWidensANameColumnNarrowerThanTheMinimum) {
    FrmAlignmentCorrection* e = open("ACGT", {{"s1", "ACGT"}}, {{1, 2, 3, 4}});
    e->Model().SetNameWidth(60);
    e->AlignedSequencesGrid()->viewport()->repaint();
    QApplication::processEvents();
    EXPECT_EQ(e->Model().NameWidth(), 146);
    EXPECT_EQ(e->ReferenceGrid()->x(), e->AlignedSequencesGrid()->x() + 146 + 1);
}

TEST_F(EditorWindowTest, ScrollingTheSequenceGridScrollsTheReferenceGrid) {
    std::string reference(300, 'A');
    TAlignmentRow row;
    for (int k = 1; k <= 300; ++k) row.push_back(k);
    FrmAlignmentCorrection* e = open(reference, {{"s", reference}}, {row});
    e->AlignedSequencesGrid()->horizontalScrollBar()->setValue(40);
    EXPECT_EQ(e->Model().SequenceGrid().LeftCol(), 40);
    EXPECT_EQ(e->Model().ReferenceGrid().LeftCol(), 39);
    const int seqX = e->AlignedSequencesGrid()->viewport()->mapTo(e, e->AlignedSequencesGrid()->CellRect(40, 0).topLeft()).x();
    const int refX = e->ReferenceGrid()->viewport()->mapTo(e, e->ReferenceGrid()->CellRect(39, 5).topLeft()).x();
    EXPECT_EQ(seqX, refX);
    // At the far right too, although the sequence grid's vertical scroll bar
    // leaves it fewer visible columns than the reference grid.
    TFastaDataSet many(200, TFastaSequence{"s", reference});
    e->GenerateGrids(TAlignmentResult(200, row), many, state.ReferenceData, {});
    QApplication::processEvents();
    e->AlignedSequencesGrid()->horizontalScrollBar()->setValue(e->AlignedSequencesGrid()->horizontalScrollBar()->maximum());
    const int last = e->Model().SequenceGrid().LeftCol();
    EXPECT_GT(last, 200);
    EXPECT_EQ(e->Model().ReferenceGrid().LeftCol(), last - 1);
    const QRect seqLast = e->AlignedSequencesGrid()->CellRect(300, 0);
    const QRect refLast = e->ReferenceGrid()->CellRect(299, 5);
    ASSERT_FALSE(seqLast.isEmpty());
    ASSERT_FALSE(refLast.isEmpty());
    EXPECT_EQ(e->AlignedSequencesGrid()->viewport()->mapTo(e, seqLast.topLeft()).x(),
              e->ReferenceGrid()->viewport()->mapTo(e, refLast.topLeft()).x());
}

TEST_F(EditorWindowTest, PaintsTheSettingsColours) {
    FrmAlignmentCorrection* e = open("ACGT", {{"s1", "ACTT"}, {"s2", "ACGT"}}, {{1, 2, 3, 4}, {1, 2, 3, 4}});
    StringGridView* seq = e->AlignedSequencesGrid();
    EXPECT_EQ(CellColour(seq, 3, 0), QColor(255, 0, 0));      // mismatch
    EXPECT_EQ(CellColour(seq, 2, 1), QColor(0xE0, 0xFF, 0xE0));  // match
    e->Model().View().HighlightedRow = 1;
    e->Model().SequenceGrid().MoveTo(1, 0);
    seq->viewport()->repaint();
    EXPECT_EQ(CellColour(seq, 2, 1), QColor(255, 255, 0));    // highlight
    EXPECT_EQ(CellColour(seq, 0, 1), QColor(255, 255, 0));    // its name too
    EXPECT_EQ(CellColour(seq, 1, 0), QColor(0, 0, 255));      // selection
    EXPECT_EQ(CellColour(seq, 0, 0), QColor(0xC0, 0xC0, 0xC0));  // header colour
    EXPECT_EQ(CellColour(e->ReferenceGrid(), 1, 0), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(CellColour(e->ReferenceGrid(), 1, 5), QColor(255, 255, 255));
    // Mismatch view: the data keeps its characters; the focus goes back to
    // the sequence grid.
    e->ShowMismatchesRadio()->setFocus();
    ASSERT_EQ(frame.focusWidget(), e->ShowMismatchesRadio());
    e->ShowMismatchesRadio()->click();
    EXPECT_EQ(e->Model().SequenceCell(1, 0), '.');
    EXPECT_EQ(state.AlignedSequences[0].Sequence, "ACTT");
    EXPECT_EQ(frame.focusWidget(), e->AlignedSequencesGrid());
    e->ShowMatchesRadio()->click();
    EXPECT_EQ(e->Model().SequenceCell(1, 0), 'A');
}

TEST_F(EditorWindowTest, ExitStopsTheTimerAndClosesTheWindow) {
    FrmAlignmentCorrection* e = open("ACGT", {{"s1", "ACGT"}}, {{1, 2, 3, 4}});
    bool closed = false;
    QObject::connect(e, &FrmAlignmentCorrection::Closed, [&] { closed = true; });
    QTimer* timer = e->Timer1();
    QObject::connect(timer, &QObject::destroyed, [&] { timer = nullptr; });
    e->Exit1()->trigger();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed);
    EXPECT_EQ(timer, nullptr);  // the window and its timer are gone
    EXPECT_EQ(FindAlignmentEditor(area), nullptr);
    EXPECT_EQ(state.AlignedSequences.size(), 1u);  // the aligned state stays
}

// Mouse presses, drags and releases on a grid's viewport.
void Mouse(QWidget* viewport, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, QPointF(at), viewport->mapToGlobal(QPointF(at)), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, modifiers);
    QApplication::sendEvent(viewport, &event);
}

TEST_F(EditorWindowTest, MouseSelectsARangeAndDragsARowByItsName) {
    FrmAlignmentCorrection* e = open("ACGT", {{"s0", "ACGT"}, {"s1", "ACGA"}, {"s2", "TCGT"}, {"s3", "ACCT"}},
                                     TAlignmentResult(4, TAlignmentRow{1, 2, 3, 4}));
    StringGridView* seq = e->AlignedSequencesGrid();
    QWidget* vp = seq->viewport();
    Mouse(vp, QEvent::MouseButtonPress, seq->CellRect(2, 1).center());
    Mouse(vp, QEvent::MouseMove, seq->CellRect(3, 2).center());
    Mouse(vp, QEvent::MouseButtonRelease, seq->CellRect(3, 2).center());
    EXPECT_EQ(e->Model().SequenceGrid().Selection(), (GridRect{2, 1, 3, 2}));
    EXPECT_EQ(e->Model().SequenceGrid().Col(), 3);
    // Dragging past the view's right edge scrolls and grows the block.
    Mouse(vp, QEvent::MouseButtonPress, seq->CellRect(1, 0).center());
    Mouse(vp, QEvent::MouseMove, QPoint(vp->width() + 40, seq->CellRect(1, 0).center().y()));
    Mouse(vp, QEvent::MouseButtonRelease, QPoint(vp->width() + 40, 5));
    EXPECT_EQ(e->Model().SequenceGrid().Selection(), (GridRect{1, 0, 4, 0}));
    // A click on a name cell does not select; a drag moves the row.
    Mouse(vp, QEvent::MouseButtonPress, seq->CellRect(0, 0).center());
    Mouse(vp, QEvent::MouseButtonRelease, seq->CellRect(0, 3).center());
    EXPECT_EQ(state.AlignedSequences[3].Name, "s0");
    EXPECT_EQ(state.AlignedSequences[3].Sequence, "ACGT");
    EXPECT_EQ(state.AlignedSequences[0].Name, "s1");
    EXPECT_EQ(e->Model().NameCell(0), "s1");
}

void Key(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(widget, &press);
}

TEST_F(EditorWindowTest, KeyboardMovesTheCursorAndScrollsBothGrids) {
    std::string reference(300, 'G');
    TAlignmentRow row;
    for (int k = 1; k <= 300; ++k) row.push_back(k);
    FrmAlignmentCorrection* e = open(reference, TFastaDataSet(3, {"s", reference}), TAlignmentResult(3, row));
    StringGridView* seq = e->AlignedSequencesGrid();
    GridCursor& c = e->Model().SequenceGrid();
    Key(seq, Qt::Key_Right);
    Key(seq, Qt::Key_Down, Qt::ShiftModifier);
    Key(seq, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(c.Selection(), (GridRect{2, 0, 3, 1}));
    Key(seq, Qt::Key_Left);  // without Shift the block collapses
    EXPECT_EQ(c.Selection(), (GridRect{2, 1, 2, 1}));
    Key(seq, Qt::Key_End);
    EXPECT_EQ(c.Col(), 300);
    EXPECT_GT(c.LeftCol(), 200);
    EXPECT_EQ(e->Model().ReferenceGrid().LeftCol(), c.LeftCol() - 1);
    Key(seq, Qt::Key_Tab);  // past the row's end: the next row's first cell
    EXPECT_EQ(c.Col(), 1);
    EXPECT_EQ(c.Row(), 2);
    EXPECT_EQ(c.LeftCol(), 1);
    EXPECT_EQ(e->Model().ReferenceGrid().LeftCol(), 0);
    Key(seq, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(c.Row(), 0);
    // Moving along the reference grid takes the sequence grid along, and
    // the header stays over its columns.
    StringGridView* ref = e->ReferenceGrid();
    ref->setFocus();
    Key(ref, Qt::Key_End);
    EXPECT_EQ(e->Model().ReferenceGrid().Col(), 299);
    EXPECT_EQ(c.Col(), 300);
    EXPECT_EQ(e->Model().ReferenceGrid().LeftCol(), c.LeftCol() - 1);
    // The wheel over the reference grid does not scroll it away.
    const int refLeft = e->Model().ReferenceGrid().LeftCol();
    QWheelEvent wheel(QPointF(20, 20), ref->viewport()->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(-120, 0),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(ref->viewport(), &wheel);
    EXPECT_EQ(e->Model().ReferenceGrid().LeftCol(), refLeft);
}

TEST_F(EditorWindowTest, HelpAndInstructionEntriesShowTheSameBoxesAsTheMainWindowAndChangeNothing) {
    FrmAlignmentCorrection* e = open("ACGT", {{"s1", "ACGA"}}, {{1, 2, 3, 4}});
    QStringList edit, help;
    for (QAction* a : e->Edit1()->actions()) edit << a->text();
    for (QAction* a : e->Help1()->actions()) help << a->text();
    EXPECT_EQ(edit.join("|").toStdString(), "&Find motif|Edit &nucleotides|&Edit or Exchange reference sequence|"
                                             "Edit sequence &range or numbering|Edit &taxon names");
    EXPECT_EQ(help.join("|").toStdString(), "&Output formats|&Poor alignment result|O&ther");

    const TAlignedDataSet before = state.AlignedSequences;
    for (QAction* a : {e->Editnucleotides1(), e->EditorExchangereferencesequence1(), e->Editsequencerangeornumbering1(),
                       e->Edittaxonnames1(), e->Outputformats1(), e->Pooralignmentresult1(), e->Other1()})
        a->trigger();
    ScriptedPlatform direct;
    for (auto entry : {Editnucleotides1Click, EditorExchangereferencesequence1Click, Editsequencerangeornumbering1Click,
                       Edittaxonnames1Click, ShowOutputFormatsHelp, ShowPoorAlignmentHelp, HelpLinkButtonClick})
        entry(direct);
    ASSERT_EQ(platform.Events.size(), direct.Events.size());
    for (std::size_t i = 0; i < direct.Events.size(); ++i) {
        EXPECT_EQ(platform.Events[i].kind, direct.Events[i].kind) << i;
        EXPECT_EQ(platform.Events[i].text, direct.Events[i].text) << i;
        EXPECT_EQ(platform.Events[i].caption, direct.Events[i].caption) << i;
    }
    EXPECT_EQ(state.AlignedSequences, before);
    EXPECT_FALSE(e->Undo1()->isEnabled());
}

}  // namespace
}  // namespace sequara
