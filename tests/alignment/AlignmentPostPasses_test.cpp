// Hand-checked rows of the three post-passes.

#include "alignment/AlignmentPostPasses.h"

#include <gtest/gtest.h>

namespace sequara {
namespace {

using Row = TAlignmentRow;

TEST(ShiftInsertionsInHomopolymers, EachInsertionIsCarriedOnlyWhenTheScanMeetsIt) {
    Row row{20, -1, -1, 21, 22};
    ShiftInsertionsInHomopolymers(row, "AAAAC");
    EXPECT_EQ(row, (Row{20, -1, 21, -1, 22}));
}

TEST(ShiftInsertionsInHomopolymers, InsertionsAtARunEndOrAtTheLastCharacterStay) {
    Row row{5, 6, -1, 7};
    ShiftInsertionsInHomopolymers(row, "ACCG");
    EXPECT_EQ(row, (Row{5, 6, -1, 7}));
    row = {5, 6, -1};
    ShiftInsertionsInHomopolymers(row, "ACC");
    EXPECT_EQ(row, (Row{5, 6, -1}));
    row = {-1, 5, 6};  // a run of A at the start
    ShiftInsertionsInHomopolymers(row, "AAT");
    EXPECT_EQ(row, (Row{5, -1, 6}));
}

TEST(PositionCost, TransitionDirectionMatters) {
    const std::string ref = "TGN";
    EXPECT_EQ(PositionCost("G", ref, 0, 1, "DNA"), 2);   // sequence G against reference T
    EXPECT_EQ(PositionCost("T", ref, 0, 2, "DNA"), 1);   // sequence T against reference G
    EXPECT_EQ(PositionCost("T", ref, 0, 1, "DNA"), 0);
    EXPECT_EQ(PositionCost("C", ref, 0, 3, "DNA"), 0);   // N matches
    EXPECT_EQ(PositionCost("C", ref, 0, -1, "DNA"), 10);
    EXPECT_EQ(PositionCost("A", "C", 0, 1, "AMINO"), 2);  // letters, whatever the data type
}

// Reference positions 10.. hold the given text; 1..9 are G.
std::string referenceFrom10(const std::string& text) { return std::string(9, 'G') + text; }

TEST(RefineGapPlacement, InsertionMovesLeftWhenTheCharacterFitsBetter) {
    // Entries 10..14, -1: the window k = 5 tries 10, 11, 12, 13, -1, 14 and
    // takes it, since C fits position 14 better than A; the insertion, now
    // at character 5, stays (T fits 13 better than A would).
    Row row{10, 11, 12, 13, 14, -1};
    RefineGapPlacement(row, "ACGTAC", referenceFrom10("ACGTC"), "DNA");
    EXPECT_EQ(row, (Row{10, 11, 12, 13, -1, 14}));
}

TEST(RefineGapPlacement, InsertionCancelsAgainstASkippedPosition) {
    // Entries 10, 11, 12, 14, 15, -1 with position 13 skipped: the window
    // k = 5 gains nothing, the window k = 4 fills 13 and drops the insertion.
    Row row{10, 11, 12, 14, 15, -1};
    RefineGapPlacement(row, "ACGTAA", referenceFrom10("ACGTAA"), "DNA");
    EXPECT_EQ(row, (Row{10, 11, 12, 13, 14, 15}));
}

TEST(RefineGapPlacement, AfterAnInsertionTheShiftedInCharactersBecomeInsertions) {
    // Character 4 fits position 12 better than character 3 does, so the
    // insertion moves to 3; position 11 is free, but the entry before the
    // window is -1, so nothing is placed there.
    Row row{10, -1, 12, -1};
    RefineGapPlacement(row, "AGTG", referenceFrom10("ACG"), "DNA");
    EXPECT_EQ(row, (Row{10, -1, -1, 12}));
}

TEST(RefineGapPlacement, ShortRowsAndTheFirstCharacterAreLeftAlone) {
    Row row{-1};
    RefineGapPlacement(row, "A", "A", "DNA");
    EXPECT_EQ(row, Row{-1});
    row = {-1, 1, 2};
    RefineGapPlacement(row, "CAC", "AC", "DNA");
    EXPECT_EQ(row, (Row{-1, 1, 2}));
}

TEST(AnchorSequenceEnds, PairsAnchorBothEndsWithRunLengthTwo) {
    Row row{5, 9, 10, 20, 21, 3};
    AnchorSequenceEnds(row, 2, 30);
    EXPECT_EQ(row, (Row{8, 9, 10, 20, 21, 22}));
    row = {5, 9, 10, 20, 21, 3};
    AnchorSequenceEnds(row, 2, 21);  // past the reference end
    EXPECT_EQ(row, (Row{8, 9, 10, 20, 21, -1}));
}

TEST(AnchorSequenceEnds, CharactersBeforePositionOneBecomeInsertions) {
    Row row{7, 7, 1, 2, 9};
    AnchorSequenceEnds(row, 2, 30);
    EXPECT_EQ(row, (Row{-1, -1, 1, 2, 3}));
}

TEST(AnchorSequenceEnds, EntriesBeforeTheFirstStretchAreRewrittenEvenAcrossAGap) {
    Row row{3, 4, 8, 9, 10, 11};
    AnchorSequenceEnds(row, 3, 30);
    EXPECT_EQ(row, (Row{6, 7, 8, 9, 10, 11}));
}

TEST(AnchorSequenceEnds, InsertionsNeverContinueAStretchAndNoStretchChangesNothing) {
    Row row{-1, 1, -1, 2, 3};
    AnchorSequenceEnds(row, 3, 30);
    EXPECT_EQ(row, (Row{-1, 1, -1, 2, 3}));
    row = {4, 5, -1, -1, 9};
    AnchorSequenceEnds(row, 2, 30);  // the only pair anchors both ends
    EXPECT_EQ(row, (Row{4, 5, 6, 7, 8}));
}

}  // namespace
}  // namespace sequara
