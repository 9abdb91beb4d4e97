// Hand-checked rows of the pairwise aligner, checked on the production
// aligner and on the step-by-step oracle alike.

#include "alignment/PairwiseAligner.h"
#include "tests/support/StepByStepAligner.h"

#include <gtest/gtest.h>

#include <functional>

namespace sequara {
namespace {

struct Passes {
    TAlignmentRow forward, backward;
};

struct Engine {
    const char* name;
    std::function<void(const std::string& ref, const std::string& seq, TAlignmentRow& row, const std::string& type,
                       int minMatch, int initial)>
        align;
    std::function<Passes(const std::string& ref, const std::string& seq, const std::string& type, int minMatch)> passes;
};

Engine productionEngine() {
    return {"production",
            [](const std::string& ref, const std::string& seq, TAlignmentRow& row, const std::string& type, int k,
               int in) { AlignSequence(ref, seq, row, type, k, in); },
            [](const std::string& ref, const std::string& seq, const std::string& type, int k) {
                Passes p;
                PairwiseAligner(ref, type, k).AlignmentPasses(seq, p.forward, p.backward);
                return p;
            }};
}

Engine stepByStepEngine() {
    return {"stepByStep",
            [](const std::string& ref, const std::string& seq, TAlignmentRow& row, const std::string& type, int k,
               int in) { testing::StepByStepAlignSequence(ref, seq, row, type, k, in); },
            [](const std::string& ref, const std::string& seq, const std::string& type, int k) {
                Passes p;
                testing::StepByStepForwardPass(ref, seq, p.forward, type, k);
                testing::StepByStepBackwardPass(ref, seq, p.backward, type, k);
                return p;
            }};
}

class PairwiseAlignerTest : public ::testing::TestWithParam<Engine> {
protected:
    TAlignmentRow align(const std::string& ref, const std::string& seq, int minMatch = 4, int initial = 15,
                        const std::string& type = "DNA") {
        TAlignmentRow row;
        GetParam().align(ref, seq, row, type, minMatch, initial);
        return row;
    }
    Passes passes(const std::string& ref, const std::string& seq, int minMatch = 4) {
        return GetParam().passes(ref, seq, "DNA", minMatch);
    }
};

using Row = TAlignmentRow;

TEST_P(PairwiseAlignerTest, EmptySequenceAndEmptyReference) {
    EXPECT_EQ(align("ACGTACGT", ""), Row{});
    EXPECT_EQ(align("", "ACG"), (Row{-1, -1, -1}));
    EXPECT_EQ(align("", ""), Row{});
}

TEST_P(PairwiseAlignerTest, IdenticalStretchTakesItsPositions) {
    EXPECT_EQ(align("TTACGATCGGAT", "ACGATCG"), (Row{3, 4, 5, 6, 7, 8, 9}));
}

TEST_P(PairwiseAlignerTest, RepeatedStretchTakesItsFirstOccurrence) {
    // Forward finds the first occurrence, backward the last; the whole row is
    // one disagreeing stretch and goes to the forward result.
    const Passes p = passes("ACGTTACGTT", "ACGT");
    EXPECT_EQ(p.forward, (Row{1, 2, 3, 4}));
    EXPECT_EQ(p.backward, (Row{6, 7, 8, 9}));
    EXPECT_EQ(align("ACGTTACGTT", "ACGT"), (Row{1, 2, 3, 4}));
}

TEST_P(PairwiseAlignerTest, EquallyLongRunsPlaceTheEarliestCharacterFirst) {
    // Both halves of the sequence are runs of 4; the first half is placed
    // first, at reference 5..8, and leaves the second half no room.
    const Passes p = passes("TTGCACGT", "ACGTTTGC");
    EXPECT_EQ(p.forward, (Row{5, 6, 7, 8, -1, -1, -1, -1}));
    EXPECT_EQ(p.backward, (Row{5, 6, 7, 8, -1, -1, -1, -1}));
}

TEST_P(PairwiseAlignerTest, SurplusCharactersBecomeInsertionsAtTheStretchEnds) {
    // Three sequence characters between two anchored runs, one free reference
    // position: forward packs left (7, -1, -1), backward packs right
    // (-1, -1, 7); equal costs give the forward result.
    const std::string ref = "ACGTAC" "T" "GGATCC";
    const std::string seq = "ACGTAC" "AAA" "GGATCC";
    const Passes p = passes(ref, seq);
    EXPECT_EQ(p.forward, (Row{1, 2, 3, 4, 5, 6, 7, -1, -1, 8, 9, 10, 11, 12, 13}));
    EXPECT_EQ(p.backward, (Row{1, 2, 3, 4, 5, 6, -1, -1, 7, 8, 9, 10, 11, 12, 13}));
    EXPECT_EQ(align(ref, seq), p.forward);
}

TEST_P(PairwiseAlignerTest, ARunOneShorterThanTheMinimumIsNotPlaced) {
    // "CGT" occurs at 3..5.  With a minimum of 3 it is placed; with 4 the
    // pass ends in the fill at once and the forward fill (from position 1)
    // wins the whole-row stretch.
    EXPECT_EQ(align("AACGT", "CGT", 3), (Row{3, 4, 5}));
    const Passes p = passes("AACGT", "CGT", 4);
    EXPECT_EQ(p.forward, (Row{1, 2, 3}));
    EXPECT_EQ(p.backward, (Row{3, 4, 5}));
    EXPECT_EQ(align("AACGT", "CGT", 4), (Row{1, 2, 3}));
}

TEST_P(PairwiseAlignerTest, MinimumBelowOneActsAsOne) {
    // With 0 or less the passes would never end; such values behave like 1.
    const std::string ref = "GATTACAGGCATTAC", seq = "TTACGCAT";
    const Row one = align(ref, seq, 1);
    EXPECT_EQ(align(ref, seq, 0), one);
    EXPECT_EQ(align(ref, seq, -7), one);
    EXPECT_EQ(one.size(), seq.size());
}

TEST_P(PairwiseAlignerTest, SequenceWithoutAnyMatchStillGetsACompleteRow) {
    // Forward fill from position 1, the surplus inserted at the end.
    EXPECT_EQ(align("AAA", "CCCCC", 4, 1), (Row{1, 2, 3, -1, -1}));
}

TEST_P(PairwiseAlignerTest, AmbiguityCodesMatchThroughTheCharacterRules) {
    // N in the sequence, R (A or G) in the reference, X/B/Z for amino acids.
    EXPECT_EQ(align("TTGCATACGTT", "GCNNACG", 4, 1), (Row{3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(align("CCGACGRACTT", "GACGAAC", 4, 1), (Row{3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(align("AAMKDLLQ", "MXBLLZ", 4, 1, "AMINO"), (Row{3, 4, 5, 6, 7, 8}));
}

TEST_P(PairwiseAlignerTest, FinishedRowsHoldNoZero) {
    const Row row = align("GGGATCCATTAGCAGGCAT", "ATCCAATTAGCAAGGCATTTT", 3, 2);
    ASSERT_EQ(row.size(), 21u);
    for (std::int32_t e : row) EXPECT_NE(e, 0);
}

INSTANTIATE_TEST_SUITE_P(BothAligners, PairwiseAlignerTest, ::testing::Values(productionEngine(), stepByStepEngine()),
                         [](const ::testing::TestParamInfo<Engine>& info) { return std::string(info.param.name); });

TEST(AlignerBuildingBlocks, WindowStartUsesTheLargestEarlierEntry) {
    const Row row{0, 7, -1, 3, 0, 0};
    EXPECT_EQ(WindowStart(row, 0), 1);
    EXPECT_EQ(WindowStart(row, 4), 8);  // the largest earlier entry, not the nearest
    EXPECT_EQ(WindowStart(Row{-1, -1, 0}, 2), 1);
}

TEST(AlignerBuildingBlocks, WindowEndUsesTheFirstLaterNonZeroEntry) {
    EXPECT_EQ(WindowEnd(Row{0, 0, 9, 4}, 0, 20), 8);
    EXPECT_EQ(WindowEnd(Row{0, 0, 0}, 0, 20), 20);
    EXPECT_EQ(WindowEnd(Row{0, -1, 9}, 0, 20), -2);  // an insertion after it empties the window
}

TEST(AlignerBuildingBlocks, AllAssigned) {
    EXPECT_TRUE(AllAssigned(Row{}));
    EXPECT_TRUE(AllAssigned(Row{-1, 3}));
    EXPECT_FALSE(AllAssigned(Row{-1, 0, 3}));
}

TEST(AlignerBuildingBlocks, SortMatchesByLengthIsStableLargestFirst) {
    const std::vector<TMatch> candidates{{3, 1}, {-1, -1}, {5, 2}, {3, 9}, {0, 0}, {5, 1}};
    std::vector<std::int32_t> order;
    SortMatchesByLength(candidates, order);
    EXPECT_EQ(order, (std::vector<std::int32_t>{2, 5, 0, 3, 4, 1}));
}

TEST(AlignerBuildingBlocks, MergeTakesTheCheaperSideOfEachStretch) {
    Row row(4, 0);
    MergeAlignmentPasses(Row{5, -1, -1, 9}, Row{5, 6, 7, 9}, row);
    EXPECT_EQ(row, (Row{5, 6, 7, 9}));
    row.assign(4, 0);  // equal costs: forward
    MergeAlignmentPasses(Row{5, 6, -1, 9}, Row{5, -1, 7, 9}, row);
    EXPECT_EQ(row, (Row{5, 6, -1, 9}));
}

TEST(AlignerBuildingBlocks, MergeFavoursBackwardAtTheStartAndForwardAtTheEnd) {
    Row row(3, 0);
    MergeAlignmentPasses(Row{1, 2, 5}, Row{-1, -1, 5}, row);  // dearer, but at the start
    EXPECT_EQ(row, (Row{-1, -1, 5}));
    row.assign(3, 0);
    MergeAlignmentPasses(Row{5, -1, -1}, Row{5, 6, 7}, row);  // dearer, but at the end
    EXPECT_EQ(row, (Row{5, -1, -1}));
    row.assign(2, 0);
    MergeAlignmentPasses(Row{1, 2}, Row{3, 4}, row);  // the whole row: forward
    EXPECT_EQ(row, (Row{1, 2}));
    row.assign(3, 0);  // an agreed insertion joins the stretch around it
    MergeAlignmentPasses(Row{4, -1, -1}, Row{-1, -1, 6}, row);
    EXPECT_EQ(row, (Row{4, -1, -1}));
}

}  // namespace
}  // namespace sequara
