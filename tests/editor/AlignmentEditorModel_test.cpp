// The editor model: grids built from an automatic alignment, reading them
// back, the two views and the painting table, zoom and scroll coupling.
#include "editor/AlignmentEditorModel.h"
#include "tests/support/EditorDump.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

namespace sequara {
namespace {

using testing::DumpGrids;

class EditorModelTest : public ::testing::Test {
protected:
    EditorModelTest() {
        state.DataType = "DNA";
        state.ReferenceData = {{"rCRS", "ACGT"}};
        state.HeaderColor = 0x00C0C0C0;
        state.ReferenceColor = 0x00FFFFFF;
        state.MatchColor = 0x00E0FFE0;
        state.MismatchColor = 0x000000FF;
        state.SelectionColor = 0x00FF0000;
        state.HighlightColor = 0x0000FFFF;
    }
    ScriptedPlatform platform;
    RunContext run{platform};
    WorkingState& state = run.State();
};

TEST_F(EditorModelTest, GridsOfAnAlignmentWithoutGaps) {
    AlignmentEditorModel m(run);
    m.GenerateGrids({{1, 2, 3, 4}}, {{"seq1", "ACGA"}}, state.ReferenceData, {"1", "2", "3", "4"});
    EXPECT_EQ(DumpGrids(m), "1234\n....\n....\n....\n....\nACGT\nseq1|ACGA\n");
    EXPECT_EQ(m.SequenceGrid().ColCount(), 5);
    EXPECT_EQ(m.ReferenceGrid().ColCount(), 4);
    EXPECT_EQ(m.ReferenceGrid().RowCount(), 6);
    EXPECT_FALSE(m.View().UndoEnabled);
    ASSERT_EQ(state.AlignedReference.size(), 1u);
    EXPECT_EQ(state.AlignedReference[0].Name, "rCRS");
    EXPECT_EQ(state.AlignedSequences[0].Sequence, "ACGA");
}

TEST_F(EditorModelTest, LeadingAndFollowingInsertions) {
    AlignmentEditorModel m(run);
    TFastaDataSet data{{"a", "XYACGX"}, {"b", "UVWACXYGT"}};
    TAlignmentResult rows{{-1, -1, 1, 2, 3, -1}, {-1, -1, -1, 1, 2, -1, -1, 3, 4}};
    m.GenerateGrids(rows, data, state.ReferenceData, {});
    // Lead 3; two inserted columns after position 2; one row inserts after 3.
    EXPECT_EQ(DumpGrids(m),
              "...12..3.4\n..........\n..........\n..........\n..........\n---AC--G-T\n"
              "a|-XYAC--GX-\nb|UVWACXYG-T\n");
    EXPECT_EQ(state.AlignedNumbering.size(), 10u);
    EXPECT_TRUE(state.AlignedNumbering[5].empty());
}

TEST_F(EditorModelTest, InsertedCharactersLeftAlignedAfterTheirPosition) {
    AlignmentEditorModel m(run);
    TFastaDataSet data{{"a", "AXCGT"}, {"b", "AXYCGT"}};
    m.GenerateGrids({{1, -1, 2, 3, 4}, {1, -1, -1, 2, 3, 4}}, data, state.ReferenceData, {});
    EXPECT_EQ(state.AlignedReference[0].Sequence, "A--CGT");
    EXPECT_EQ(state.AlignedSequences[0].Sequence, "AX-CGT");
    EXPECT_EQ(state.AlignedSequences[1].Sequence, "AXYCGT");
    EXPECT_EQ(m.HeaderCell(1, 0), '\0');
    EXPECT_EQ(m.HeaderCell(2, 0), '\0');
}

TEST_F(EditorModelTest, LabelsShowAtMostFiveCharactersAndShortNamesAreNumbered) {
    AlignmentEditorModel m(run);
    m.GenerateGrids({{1, 2, 3, 4}}, {{"s", "ACGT"}}, state.ReferenceData, {"16024", "ABCDEFG"});
    EXPECT_EQ(DumpGrids(m), "1A34\n6B..\n0C..\n2D..\n4E..\nACGT\ns|ACGT\n");
    EXPECT_EQ(state.AlignedNumbering[1].str(), "ABCDE");
    EXPECT_EQ(state.AlignedNumbering[3].str(), "4");
}

TEST_F(EditorModelTest, EmptyDataSetChangesNothing) {
    state.AlignedSequences = {{"old", "AC"}};
    state.AlignedReference = {{"oldref", "AC"}};
    AlignmentEditorModel m(run);
    m.GenerateGrids({}, {}, state.ReferenceData, {});
    EXPECT_EQ(state.AlignedReference[0].Name, "oldref");
    EXPECT_EQ(state.AlignedSequences[0].Name, "old");
    EXPECT_TRUE(m.View().UndoEnabled);
}

TEST_F(EditorModelTest, ReadingBackNamesTheReferenceAfterTheRunsReference) {
    state.AlignedReference = {{"fromfile", "AC-G"}};
    state.AlignedSequences = {{"x", "ACTG"}, {"short", "A"}};
    state.AlignedNumbering = {"16024abc", "2", "", "3"};
    AlignmentEditorModel m(run);
    m.ReadAlignmentFromGrids();
    EXPECT_EQ(state.AlignedReference[0].Name, "rCRS");
    EXPECT_EQ(state.AlignedNumbering[0].str(), "16024");
    EXPECT_EQ(state.AlignedSequences[1].Sequence, "A---");
    EXPECT_EQ(m.SequenceGrid().ColCount(), 5);
}

TEST_F(EditorModelTest, ReferenceNameAndPopupPerDataType) {
    AlignmentEditorModel m(run);
    EXPECT_EQ(m.ReferenceNameCaption(), "--");
    m.SetReferenceName(TFastaDataSet{{"rCRS NC_012920", "A"}});
    EXPECT_EQ(m.ReferenceNameCaption(), "rCRS NC_012920");
    m.SetReferenceName(TFastaDataSet{});
    EXPECT_EQ(m.ReferenceNameCaption(), "");

    auto dna = AlignmentEditorModel::PopupMenuCaptions("DNA");
    ASSERT_EQ(dna.size(), 23u);
    EXPECT_EQ(dna[0], "- = Deletion");
    EXPECT_EQ(dna[8], "A = Adenine");
    EXPECT_EQ(dna[22], "B = G,C or T");
    auto amino = AlignmentEditorModel::PopupMenuCaptions("AMINO");
    ASSERT_EQ(amino.size(), 33u);
    EXPECT_EQ(amino.front(), "- = Deletion");
    EXPECT_EQ(amino.back(), "- = Deletion");
    EXPECT_EQ(amino[29], "X = Unknown or other amino acid");
    // Only exactly "DNA" gets the nucleotide entries.
    EXPECT_EQ(AlignmentEditorModel::PopupMenuCaptions("dna").size(), 33u);
}

TEST_F(EditorModelTest, ZoomAndPlacementKeepTheColumnsLinedUp) {
    AlignmentEditorModel m(run);
    EXPECT_EQ(m.NameWidth(), 146);
    for (int pos = 0; pos <= 10; ++pos) {
        m.TrackBar1Change(pos);
        EXPECT_EQ(m.NameWidth(), 146 + 10 * pos);
        EditorPlacement p = m.AdjustCellSizes(8, 1000, 40);
        EXPECT_EQ(p.ReferenceGridLeft, 8 + m.NameWidth() + 1);
        EXPECT_EQ(p.ReferenceGridWidth, 1000 - m.NameWidth() - 1);
        EXPECT_EQ(p.ReferenceGridHeight, 106);
        EXPECT_EQ(p.SequenceGridTop, 40 + 106 + 5);
        EXPECT_EQ(p.ReferenceNameLabelLeft, p.ReferenceGridLeft + 115);
    }
    m.TrackBar1Change(10);
    EXPECT_EQ(m.NameWidth(), 246);
    m.SetNameWidth(100);
    EXPECT_TRUE(m.EnsureMinimumNameWidth());
    EXPECT_EQ(m.NameWidth(), 146);
    EXPECT_FALSE(m.EnsureMinimumNameWidth());
}

TEST_F(EditorModelTest, ReferenceGridFollowsTheSequenceGridsFirstColumn) {
    state.ReferenceData = {{"r", std::string(100, 'A')}};
    AlignmentEditorModel m(run);
    TAlignmentRow row;
    for (int k = 1; k <= 100; ++k) row.push_back(k);
    m.GenerateGrids({row}, {{"s", std::string(100, 'A')}}, state.ReferenceData, {});
    m.SequenceGrid().SetVisibleExtent(20, 5);
    m.ReferenceGrid().SetVisibleExtent(20, 1);
    m.SequenceGrid().SetLeftCol(40);
    m.AlignedSequencesGridTopLeftChanged();
    EXPECT_EQ(m.SequenceGrid().LeftCol(), 40);
    EXPECT_EQ(m.ReferenceGrid().LeftCol(), 39);
    // The last columns: both grids stop at the same alignment column.
    m.SequenceGrid().SetLeftCol(1000);
    m.AlignedSequencesGridTopLeftChanged();
    EXPECT_EQ(m.SequenceGrid().LeftCol(), 81);
    EXPECT_EQ(m.ReferenceGrid().LeftCol(), 80);
}

TEST_F(EditorModelTest, TheFocusedGridsCurrentColumnIsFollowedByTheOther) {
    AlignmentEditorModel m(run);
    m.GenerateGrids({{1, 2, 3, 4}, {1, 2, 3, 4}}, {{"a", "ACGT"}, {"b", "ACGT"}}, state.ReferenceData, {});
    m.SequenceGrid().MoveTo(3, 1);
    m.AlignedSequencesGridSelectCell(3, 1, /*focus*/ false);
    EXPECT_EQ(m.ReferenceGrid().Col(), 0);
    m.AlignedSequencesGridSelectCell(3, 1, true);
    EXPECT_EQ(m.ReferenceGrid().Col(), 2);
    EXPECT_EQ(m.ReferenceGrid().Row(), 5);
    m.ReferenceGridSelectCell(0, 5, true);
    EXPECT_EQ(m.SequenceGrid().Col(), 1);
    EXPECT_EQ(m.SequenceGrid().Row(), 1);
    m.ReferenceGridSelectCell(3, 5, false);
    EXPECT_EQ(m.SequenceGrid().Col(), 1);
}

class PaintingTest : public EditorModelTest {
protected:
    PaintingTest() : m(run) {
        state.ReferenceData = {{"r", "AANA"}};
        m.GenerateGrids({{1, 2, 3, 4}, {1, 2, 3, 4}}, {{"s0", "AR-A"}, {"s1", "AAAC"}}, state.ReferenceData, {});
        m.SequenceGrid().SetVisibleExtent(10, 10);
        m.SequenceGrid().MoveTo(4, 1);  // selection: the single cell (4,1)
    }
    CellAppearance at(int col, int row) {
        CellAppearance a;
        EXPECT_TRUE(m.AlignedSequencesGridDrawCell(col, row, a));
        return a;
    }
    AlignmentEditorModel m;
};

TEST_F(PaintingTest, ShowAllPaintsCharactersByExactEquality) {
    EXPECT_EQ(at(1, 0), (CellAppearance{state.MatchColor, 'A'}));
    EXPECT_EQ(at(2, 0), (CellAppearance{state.MismatchColor, 'R'}));
    EXPECT_EQ(at(3, 0), (CellAppearance{state.MismatchColor, '-'}));
    EXPECT_EQ(at(4, 1), (CellAppearance{state.SelectionColor, 'C'}));
    EXPECT_EQ(m.SequenceCell(2, 0), 'R');
}

TEST_F(PaintingTest, MismatchViewDotsCompatibleCodesButPaintsThemAsMismatches) {
    m.ShowMismatchesRadioClick();
    EXPECT_TRUE(m.ShowMismatchesChecked());
    // R under A: compatible, so the text is "."; painted as itself.
    EXPECT_EQ(m.SequenceCell(2, 0), '.');
    EXPECT_EQ(at(2, 0), (CellAppearance{state.MismatchColor, 'R'}));
    // A under A: "." on the match colour.
    EXPECT_EQ(m.SequenceCell(1, 0), '.');
    EXPECT_EQ(at(1, 0), (CellAppearance{state.MatchColor, '.'}));
    // "-" under N: CharactersMatch decides the text, the painting shows "-".
    EXPECT_EQ(m.SequenceCell(3, 0), '.');
    EXPECT_EQ(at(3, 0), (CellAppearance{state.MismatchColor, '-'}));
    // A under N is compatible; C under A is not.
    EXPECT_EQ(m.SequenceCell(3, 1), '.');
    EXPECT_EQ(m.SequenceCell(4, 1), 'C');
    EXPECT_EQ(state.AlignedSequences[0].Sequence, "AR-A");  // the data keeps its characters
    m.ShowMatchesRadioClick();
    EXPECT_EQ(m.SequenceCell(2, 0), 'R');
    EXPECT_EQ(m.SequenceCell(1, 0), 'A');
}

TEST_F(PaintingTest, SelectionOverHighlightOverMatch) {
    EXPECT_EQ(m.NameCellBackground(0), state.HeaderColor);
    m.View().HighlightedRow = 0;
    EXPECT_EQ(m.NameCellBackground(0), state.HighlightColor);
    EXPECT_EQ(m.NameCellBackground(1), state.HeaderColor);
    EXPECT_EQ(at(1, 0).Background, state.HighlightColor);
    EXPECT_EQ(at(2, 0).Background, state.MismatchColor);  // differing keeps the mismatch colour
    EXPECT_EQ(at(1, 1).Background, state.MatchColor);
    m.SequenceGrid().MoveTo(1, 0);
    m.ShowMismatches();
    EXPECT_EQ(at(1, 0), (CellAppearance{state.SelectionColor, '.'}));
    m.View().HighlightedRow = -1;
    EXPECT_EQ(at(4, 0).Background, state.MatchColor);
}

TEST_F(EditorModelTest, SequencesWithoutAReferenceRowAreNotPainted) {
    state.AlignedSequences = {{"orphan", "ACGT"}};  // before any grid was built
    AlignmentEditorModel m(run);
    CellAppearance a;
    EXPECT_FALSE(m.AlignedSequencesGridDrawCell(1, 0, a));
    EXPECT_EQ(m.SequenceCell(1, 0), 'A');
    EXPECT_EQ(m.ColumnCount(), 0);
    m.ShowMismatches();
    EXPECT_EQ(m.SequenceCell(1, 0), 'A');
}

TEST_F(PaintingTest, AHugeNameIsDrawnOnlyAsFarAsItsCellShowsIt) {
    state.AlignedSequences[1].Name = std::string(5'000'000, 'N') + "end";
    EXPECT_EQ(m.ShownName(1, 246), std::string(247, 'N'));
    EXPECT_EQ(m.ShownName(0, 146), "s0");
    EXPECT_EQ(m.ShownName(5, 146), "");
}

TEST_F(PaintingTest, CellsOutsideTheDataAreNotPainted) {
    CellAppearance a;
    EXPECT_FALSE(m.AlignedSequencesGridDrawCell(0, 0, a));
    EXPECT_FALSE(m.AlignedSequencesGridDrawCell(5, 0, a));
    EXPECT_FALSE(m.AlignedSequencesGridDrawCell(1, 2, a));
    EXPECT_FALSE(m.AlignedSequencesGridDrawCell(1, -1, a));
    EXPECT_EQ(m.SequenceCell(9, 9), '\0');
    EXPECT_EQ(m.HeaderCell(-1, 0), '\0');
    EXPECT_EQ(m.NameCell(7), "");
}

}  // namespace
}  // namespace sequara
