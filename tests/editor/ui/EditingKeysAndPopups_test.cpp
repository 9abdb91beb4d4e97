// Editing a real editor window headless: keys typed into the sequence grid,
// right clicks and popup entries of both grids, each edit undone with Ctrl+Z.
#include "editor/ui/FrmAlignmentCorrection.h"
#include "platform/ScriptedPlatform.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace sequara {
namespace {

class EditingWindowTest : public ::testing::Test {
protected:
    EditingWindowTest() {
        state.DataType = "DNA";
        state.ReferenceData = {{"rCRS", "ACGTA"}};
        frame.resize(1000, 700);
        frame.setCentralWidget(area);
        frame.show();
        e = CreateAlignmentEditor(area, run);
        e->GenerateGrids(TAlignmentResult(3, TAlignmentRow{1, 2, 3, 4, 5}),
                         {{"s0", "ACGTA"}, {"s1", "ACGTA"}, {"s2", "TTTTT"}}, state.ReferenceData, {});
        ShowAlignmentEditorMaximized(e);
        QApplication::processEvents();
        grid = e->AlignedSequencesGrid();
    }
    std::string rows() const {
        std::string out = e->Model().Document().ReferenceRow();
        for (const auto& s : state.AlignedSequences) out += " " + s.Sequence.str();
        return out;
    }
    void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(grid, Qt::Key(k), m); }
    void undo() {
        ASSERT_TRUE(e->Undo1()->isEnabled());
        key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_FALSE(e->Undo1()->isEnabled());
        EXPECT_EQ(rows(), "ACGTA ACGTA ACGTA TTTTT");
    }
    void rightClick(StringGridView* g, QPoint at) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), g->viewport()->mapToGlobal(QPointF(at)),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(g->viewport(), &press);
    }
    std::string shownEntries() const {
        std::string out;
        for (QAction* a : e->PopupMenuItems())
            if (a->isVisible()) out += a->text().left(3).toStdString() + ",";
        return out;
    }
    void choose(QAction* item) {
        item->trigger();
        e->AlignmentGridPopup()->hide();
        e->ReferenceGridPopup()->hide();
    }

    ScriptedPlatform platform;
    RunContext run{platform};
    WorkingState& state = run.State();
    QMainWindow frame;
    QMdiArea* area = new QMdiArea;
    FrmAlignmentCorrection* e = nullptr;
    StringGridView* grid = nullptr;
};

TEST_F(EditingWindowTest, KeysEditTheGridAndCtrlZUndoesEachKindOfEdit) {
    GridCursor& cursor = e->Model().SequenceGrid();
    key(Qt::Key_T);  // a letter into the current cell, then one column right
    EXPECT_EQ(rows(), "ACGTA TCGTA ACGTA TTTTT");
    EXPECT_EQ(cursor.Col(), 2);
    EXPECT_FALSE(e->Model().Document().Saved());
    undo();

    key(Qt::Key_Delete);  // column 2 of row 0, closed from the right
    EXPECT_EQ(rows(), "ACGTA AGTA- ACGTA TTTTT");
    undo();
    key(Qt::Key_Insert);  // no trailing gap: a gap column at the end first
    EXPECT_EQ(rows(), "ACGTA- A-CGTA ACGTA- TTTTT-");
    EXPECT_EQ(e->Model().SequenceGrid().ColCount(), 7);
    undo();

    e->InsertionMoveLeftRadio()->click();  // the option, and the focus back to the grid
    EXPECT_EQ(QApplication::focusWidget(), grid);
    key(Qt::Key_Insert);
    EXPECT_EQ(rows(), "-ACGTA AC-GTA -ACGTA -TTTTT");
    undo();

    key(Qt::Key_Left);
    key(Qt::Key_Right, Qt::ShiftModifier);  // columns 1-2 of row 0
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(e->Undo1()->isEnabled());  // copying takes no snapshot
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_V, Qt::ControlModifier);  // the block's corner on (2, 2)
    EXPECT_EQ(rows(), "ACGTA ACGTA ACGTA TACTT");
    undo();
}

// Ctrl or Alt with a key that has no control character types nothing;
// Ctrl+C, Ctrl+V, Ctrl+F and Ctrl+Z are the other tests' keys.
TEST_F(EditingWindowTest, CtrlOrAltWithAKeyTypesNothingAndItsPlainKeyStillTypes) {
    key(Qt::Key_Minus, Qt::ControlModifier);  // the usual zoom-out key
    key(Qt::Key_Minus, Qt::AltModifier);
    key(Qt::Key_A, Qt::AltModifier);
    key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(rows(), "ACGTA ACGTA ACGTA TTTTT");
    EXPECT_EQ(e->Model().SequenceGrid().Col(), 1);
    EXPECT_FALSE(e->Undo1()->isEnabled());
    key(Qt::Key_Minus);
    key(Qt::Key_A);
    EXPECT_EQ(rows(), "ACGTA -AGTA ACGTA TTTTT");
    key(Qt::Key_S, Qt::ControlModifier);  // the save dialog, cancelled
    EXPECT_EQ(platform.SaveFileOptions.size(), 1u);
}

TEST_F(EditingWindowTest, RightClicksPreparePopupsWhoseEntriesEditAndUndo) {
    GridCursor& cursor = e->Model().SequenceGrid();
    rightClick(grid, grid->CellRect(0, 1).center());  // a name
    EXPECT_EQ(shownEntries(), "Rem,Hig,Dis,");
    EXPECT_TRUE(e->AlignmentGridPopup()->isVisible());
    choose(e->PopupMenuItems()[6]);  // "Highlight sequence"
    EXPECT_EQ(e->Model().View().HighlightedRow, 1);
    choose(e->PopupMenuItems()[5]);  // "Remove sequence"
    EXPECT_EQ(rows(), "ACGTA ACGTA TTTTT");
    undo();

    rightClick(grid, grid->CellRect(3, 0).center());
    EXPECT_EQ(shownEntries(), "- =,Del,Ins,Cop,Pas,A =,G =,C =,T =,R =,Y =,N =,D =,W =,S =,M =,H =,V =,K =,B =,");
    EXPECT_EQ(cursor.Selection(), (GridRect{3, 0, 3, 0}));
    key(Qt::Key_Down, Qt::ShiftModifier);
    rightClick(grid, grid->CellRect(3, 1).center());  // inside the block: it stays
    choose(e->PopupMenuItems()[10]);  // "C = Cytosine" on the whole block
    EXPECT_EQ(rows(), "ACGTA ACCTA ACCTA TTTTT");
    undo();

    // Below the last row no cell lies: nothing moves and no popup opens.
    e->AlignmentGridPopup()->hide();
    rightClick(grid, QPoint(grid->CellRect(2, 2).center().x(), grid->CellRect(2, 2).bottom() + 40));
    EXPECT_FALSE(e->AlignmentGridPopup()->isVisible());
    EXPECT_EQ(cursor.Selection(), (GridRect{3, 0, 3, 1}));

    // Right of the reference grid's last column no cell lies either.
    StringGridView* ref = e->ReferenceGrid();
    rightClick(ref, ref->CellRect(4, 5).center() + QPoint(60, 0));
    EXPECT_FALSE(e->ReferenceGridPopup()->isVisible());
    EXPECT_EQ(cursor.Col(), 3);

    // Reference grid: the click moves both current columns; Insert character
    // puts a gap column in its place; a labelled column cannot be deleted.
    rightClick(ref, ref->CellRect(1, 5).center());
    EXPECT_TRUE(e->ReferenceGridPopup()->isVisible());
    EXPECT_EQ(cursor.Col(), 2);
    choose(e->Insertcharacter2());
    EXPECT_EQ(rows(), "A-CGTA A-CGTA A-CGTA T-TTTT");
    undo();
    choose(e->Deletecharacter2());
    EXPECT_EQ(platform.Messages(), std::vector<std::string>{"Only Insertions can be deleted."});
    EXPECT_EQ(rows(), "ACGTA ACGTA ACGTA TTTTT");
}

TEST_F(EditingWindowTest, ARightClickOnANameOfTheBlocksRowsKeepsTheBlockForRemoval) {
    GridCursor& cursor = e->Model().SequenceGrid();
    key(Qt::Key_Down);
    key(Qt::Key_Down, Qt::ShiftModifier);  // rows 1-2
    const GridRect block = cursor.Selection();
    ASSERT_EQ(std::make_pair(block.Top, block.Bottom), std::make_pair(1, 2));
    rightClick(grid, grid->CellRect(0, 2).center());  // the name of the block's last row
    EXPECT_EQ(cursor.Selection(), block);
    EXPECT_EQ(shownEntries(), "Rem,Hig,Dis,");
    choose(e->PopupMenuItems()[5]);  // "Remove sequence": both rows
    EXPECT_EQ(rows(), "ACGTA ACGTA");
    undo();

    cursor.MoveTo(block.Left, 1);
    cursor.MoveTo(block.Right, 2, true);
    rightClick(grid, grid->CellRect(0, 0).center());  // a name outside the block: only its row
    EXPECT_EQ(std::make_pair(cursor.Selection().Top, cursor.Selection().Bottom), std::make_pair(0, 0));
}

}  // namespace
}  // namespace sequara
