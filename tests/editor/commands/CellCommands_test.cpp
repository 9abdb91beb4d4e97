// Cell editing: typed keys, Insert and Delete with both shift directions, the
// popup entries and the right click, each with its undo snapshot, and an empty
// sequence list on which nothing is written.
#include "editor/commands/CellCommands.h"
#include "editor/commands/UndoCommands.h"
#include "tests/support/EditorDump.h"

#include <gtest/gtest.h>

namespace sequara {
namespace {

using testing::EditorFixture;

// Labels, reference and rows on one line: "1|2|_ AC- | AC- TTG".
std::string Rows(const EditorFixture& f) {
    std::string out;
    for (const TLabel& l : f.document.Labels()) out += (out.empty() ? "" : "|") + (l.empty() ? "_" : l.str());
    out += " " + f.document.ReferenceRow() + " |";
    for (int r = 0; r < f.document.RowCount(); ++r) out += " " + f.document.Row(r);
    return out;
}

// A fresh editor, saved, Undo off, with the selection given.
struct Loaded : EditorFixture {
    Loaded(std::initializer_list<std::pair<std::string, std::string>> rows, const std::string& reference,
           int left, int top, int right, int bottom) {
        std::string labels;
        for (std::size_t i = 1; i <= reference.size(); ++i) labels += (i > 1 ? "|" : "") + std::to_string(i);
        Load(labels, reference, rows);
        Select(left, top, right, bottom);
        view.UndoEnabled = false;
        document.MarkSaved();
    }
};

TEST(CellCommandsTest, InsertAndDeleteShiftEachWay) {
    struct Case {
        const char* what;
        const char* row;
        int left, right;
        bool insert, shiftRight;
        const char* after;  // Rows() of a two-row alignment whose second row is all gaps
    };
    const Case cases[] = {
        {"delete, shift left", "ACGTA", 2, 3, false, false, "1|2|3|4|5 ACGTA | ATA-- -----"},
        {"delete, shift right", "ACGTA", 2, 3, false, true, "1|2|3|4|5 ACGTA | --ATA -----"},
        {"insert right into a trailing gap", "ACGT-", 2, 2, true, true, "1|2|3|4|5 ACGTA | A-CGT -----"},
        {"insert right, one column added", "ACGTA", 2, 2, true, true, "1|2|3|4|5|_ ACGTA- | A-CGTA ------"},
        {"insert left from a leading gap", "-ACGT", 3, 3, true, false, "1|2|3|4|5 ACGTA | AC-GT -----"},
        {"insert left, two columns added", "ACGTA", 2, 3, true, false, "_|_|1|2|3|4|5 --ACGTA | ACG--TA -------"},
    };
    for (const Case& c : cases) {
        Loaded f({{"s", c.row}, {"gaps", "-----"}}, "ACGTA", c.left, 0, c.right, 0);
        f.view.InsertionMoveRight = c.shiftRight;
        f.view.DeletionMoveLeft = !c.shiftRight;
        AlignedSequencesGridKeyDown(f.ctx, c.insert ? kVirtualKeyInsert : kVirtualKeyDelete);
        EXPECT_EQ(Rows(f), c.after) << c.what;
        EXPECT_FALSE(f.document.Saved()) << c.what;
        ButtonUndoClick(f.ctx);  // Undo1 was enabled by the snapshot
        EXPECT_EQ(f.document.Row(0), c.row) << c.what;
        EXPECT_EQ(f.document.ColumnCount(), 5) << c.what;
    }
}

TEST(CellCommandsTest, ShiftingLeftOverSeveralRowsCountsEveryAddedColumn) {
    // Row 0 lacks two leading gaps; the two columns added for it also move
    // rows 1 and 2, whose blocks then stand two places further right.
    Loaded f({{"a", "ACGTA"}, {"b", "--CGT"}, {"c", "-TTAC"}}, "ACGTA", 3, 0, 4, 2);
    f.view.InsertionMoveRight = false;
    AlignmentGridPopupMenueItemChosen(f.ctx, "&Insert");
    EXPECT_EQ(Rows(f), "_|_|1|2|3|4|5 --ACGTA | ACGT--A --CG--T -TTA--C");
    // To the right the added columns are counted the same way.
    Loaded g({{"a", "ACG--"}, {"b", "ACGTA"}, {"c", "A---C"}}, "ACGTA", 2, 0, 3, 2);
    AlignmentGridPopupMenueItemChosen(g.ctx, "Insert");
    EXPECT_EQ(Rows(g), "1|2|3|4|5|_|_ ACGTA-- | A--CG-- A--CGTA A-----C");
}

TEST(CellCommandsTest, TypedKeysByDataType) {
    struct Case {
        const char* dataType;
        char key;
        bool moveRight;
        int col;            // current column (the block is 1..col of rows 0-1)
        const char* after;  // row 0 and the current cell, or "" for no change
    };
    const Case cases[] = {
        {"DNA", 'a', true, 2, "AAGT 3,0"},   {"DNA", 'n', false, 2, "ANGT 2,0"}, {"DNA", '-', true, 4, "ACG- 4,0"},
        {"DNA", 'u', true, 2, ""},           {"AMINO", 'u', true, 2, "AUGT 3,0"}, {"AMINO", 'j', true, 2, ""},
        {"AMINO", 'o', true, 2, ""},         {"dna", 'e', true, 2, ""},
    };
    for (const Case& c : cases) {
        Loaded f({{"s", "ACGT"}, {"t", "ACGT"}}, "ACGT", 1, 1, c.col, 0);
        f.run.State().DataType = c.dataType;
        f.view.ChkMoveRight = c.moveRight;
        char key = c.key;
        EXPECT_FALSE(AlignedSequencesGridKeyPress(f.ctx, key));
        EXPECT_EQ(key, c.key >= 'a' && c.key <= 'z' ? c.key - 32 : c.key);
        const std::string cell = std::to_string(f.view.SequenceGrid.Col()) + "," + std::to_string(f.view.SequenceGrid.Row());
        if (*c.after) {
            EXPECT_EQ(f.document.Row(0) + " " + cell, c.after) << c.dataType << " " << c.key;
            EXPECT_EQ(f.document.Row(1), "ACGT");  // only the current cell of the block
            EXPECT_TRUE(f.view.UndoEnabled);
            if (c.moveRight) {
                EXPECT_EQ(f.view.ReferenceGrid.Col(), f.view.SequenceGrid.Col() - 1);
            }
        } else {
            EXPECT_EQ(f.document.Row(0) + " " + cell, "ACGT " + std::to_string(c.col) + ",0") << c.key;
            EXPECT_FALSE(f.view.UndoEnabled) << c.key;  // no snapshot
            EXPECT_TRUE(f.document.Saved());
        }
    }
    // Ctrl+C copies without a snapshot, Ctrl+V pastes after one, Ctrl+F asks
    // for the motif search.
    Loaded f({{"s", "ACGT"}, {"t", "TTTT"}}, "ACGT", 1, 0, 2, 0);
    char key = kCtrlC;
    AlignedSequencesGridKeyPress(f.ctx, key);
    EXPECT_FALSE(f.view.UndoEnabled);
    f.Select(3, 1, 3, 1);
    key = kCtrlV;
    AlignedSequencesGridKeyPress(f.ctx, key);
    EXPECT_EQ(Rows(f), "1|2|3|4 ACGT | ACGT TTAC");
    EXPECT_TRUE(f.view.UndoEnabled);
    key = kCtrlF;
    EXPECT_TRUE(AlignedSequencesGridKeyPress(f.ctx, key));
}

TEST(CellCommandsTest, PopupEntriesActOnTheSelection) {
    Loaded f({{"r0", "ACGT"}, {"r1", "ACGT"}, {"r2", "ACGT"}, {"r3", "ACGT"}, {"r4", "ACGT"}}, "ACGT", 2, 1, 3, 2);
    AlignmentGridPopupMenueItemChosen(f.ctx, "C = Cytosine");
    AlignmentGridPopupMenueItemChosen(f.ctx, "Cop");  // a key of its own: the block is copied
    f.Select(1, 3, 2, 4);
    AlignmentGridPopupMenueItemChosen(f.ctx, "&Paste");
    f.Select(4, 0, 4, 0);
    AlignmentGridPopupMenueItemChosen(f.ctx, "- = Deletion");
    AlignmentGridPopupMenueItemChosen(f.ctx, "Co");  // shorter than three: nothing
    AlignmentGridPopupMenueItemChosen(f.ctx, "copy");  // case matters: nothing
    EXPECT_EQ(Rows(f), "1|2|3|4 ACGT | ACG- ACCT ACCT CCGT CCGT");
    EXPECT_EQ(f.run.Session().CopyBuffer, (std::vector<std::string>{"CC", "CC"}));
    f.Select(3, 2, 3, 2);
    AlignmentGridPopupMenueItemChosen(f.ctx, "Highlight sequence");
    EXPECT_EQ(f.view.HighlightedRow, 2);
    f.Select(1, 1, 1, 3);
    AlignmentGridPopupMenueItemChosen(f.ctx, "Remove sequence");
    EXPECT_EQ(f.Dump(),
              "labels 1|2|3|4\nref rCRS: ACGT\n0 r0: ACG-\n1 r4: CCGT\n"
              "view cell 1,1 sel 1,1-1,1 highlight 2 mismatches off undo on saved no\n");
    AlignmentGridPopupMenueItemChosen(f.ctx, "Disable highlighting");
    EXPECT_EQ(f.view.HighlightedRow, -1);
    ButtonUndoClick(f.ctx);  // the removal is undone, names and all
    EXPECT_EQ(f.document.RowCount(), 5);
    EXPECT_EQ(f.document.Name(3), "r3");
}

TEST(CellCommandsTest, RightClickKeepsABlockItLiesInAndOtherwiseMovesTheCursor) {
    Loaded f({{"r0", "ACGT"}, {"r1", "ACGT"}, {"r2", "ACGT"}}, "ACGT", 2, 0, 3, 1);
    AlignedSequencesGridMouseDown(f.ctx, 3, 1);
    EXPECT_EQ(f.view.Selection(), (GridRect{2, 0, 3, 1}));
    AlignedSequencesGridMouseDown(f.ctx, 0, 2);  // a name: only the row
    EXPECT_EQ(f.view.Selection(), (GridRect{3, 2, 3, 2}));
    AlignedSequencesGridMouseDown(f.ctx, 1, 0);
    EXPECT_EQ(f.view.Selection(), (GridRect{1, 0, 1, 0}));
    EXPECT_EQ(f.view.ReferenceGrid.Col(), 0);
    EXPECT_EQ(PopupMenuItemsShown(23, true),
              (std::vector<bool>{0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(PopupMenuItemsShown(9, false), (std::vector<bool>{1, 1, 1, 1, 1, 0, 0, 0, 1}));
    EXPECT_FALSE(f.view.UndoEnabled);  // the right click takes no snapshot
}

TEST(CellCommandsTest, AnEmptySequenceListIsNeverWrittenTo) {
    Loaded f({{"r0", "ACGT"}}, "ACGT", 1, 0, 2, 0);
    f.run.Session().CopyBuffer = {"AA"};
    AlignmentGridPopupMenueItemChosen(f.ctx, "Remove sequence");
    f.view.UndoEnabled = false;
    f.document.MarkSaved();
    const std::string before = f.Dump();
    for (const char* caption : {"Delete", "Insert", "Remove sequence", "Paste", "A = Adenine", "Highlight sequence"})
        AlignmentGridPopupMenueItemChosen(f.ctx, caption);
    for (char key : {'A', '-', kCtrlC, kCtrlV}) AlignedSequencesGridKeyPress(f.ctx, key);
    AlignedSequencesGridKeyDown(f.ctx, kVirtualKeyInsert);
    AlignedSequencesGridKeyDown(f.ctx, kVirtualKeyDelete);
    SetCellCharacter(f.ctx, 1, 1, 0, 0, 'G');
    InsertCellsShifting(f.ctx, 1, 1, 0, 0);
    DeleteCellsShifting(f.ctx, 1, 1, 0, 0);
    AlignedSequencesGridMouseDown(f.ctx, 1, 0);
    EXPECT_EQ(f.Dump(), before);
    EXPECT_EQ(before, "labels 1|2|3|4\nref rCRS: ACGT\nview cell 2,0 sel 1,0-2,0 highlight -1 mismatches off undo off saved yes\n");
    EXPECT_TRUE(f.platform.Events.empty());
}

}  // namespace
}  // namespace sequara
