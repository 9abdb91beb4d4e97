// Reliable runs at sequence ends and the re-alignment of sequence ends
// against the other rows of a load.

#include "alignment/EndRealignment.h"
#include "tests/support/StepByStepAligner.h"

#include <gtest/gtest.h>

namespace sequara {
namespace {

using Row = TAlignmentRow;

// The first 60 positions of the rCRS.
const std::string kRef = "GATCACAGGTCTATCACCCTATTAACCACTCACGGGAGCTCTCCATGCATTTGGTATTTT";
const std::string kSeq = kRef.substr(0, 40);

// Entries first, first + 1, ... (count of them).
Row rising(std::int32_t first, int count) {
    Row r;
    for (int i = 0; i < count; ++i) r.push_back(first + i);
    return r;
}
Row operator+(Row a, const Row& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
Row insertions(int count) { return Row(static_cast<std::size_t>(count), -1); }

TEST(FindReliableEnd, ReportsTheElementPastTheLastRun) {
    EXPECT_EQ(FindReliableEnd(kRef, kSeq.substr(0, 20), rising(1, 20), "DNA"), 20);
    EXPECT_EQ(FindReliableEnd(kRef, kSeq.substr(0, 20), rising(1, 15) + insertions(5), "DNA"), 15);
    // The only run starts at element 0, which is never tested.
    EXPECT_EQ(FindReliableEnd(kRef, kSeq.substr(0, 15), rising(1, 10) + insertions(5), "DNA"), 15);
    EXPECT_EQ(FindReliableEnd(kRef, "", Row{}, "DNA"), 0);
}

TEST(FindReliableStart, ReportsTheFirstElementOfTheFirstRun) {
    EXPECT_EQ(FindReliableStart(kRef, kSeq.substr(0, 20), rising(1, 20), "DNA"), 0);
    EXPECT_EQ(FindReliableStart(kRef, kSeq.substr(0, 20), insertions(5) + rising(6, 15), "DNA"), 5);
    // The only run ends at the last element, which is never tested.
    EXPECT_EQ(FindReliableStart(kRef, kSeq.substr(0, 15), insertions(5) + rising(6, 10), "DNA"), 1);
    EXPECT_EQ(FindReliableStart(kRef, "", Row{}, "DNA"), 1);
}

using Realign = void (*)(TAlignmentResult&, const TFastaDataSet&, const std::string&, const std::string&);

class RealignSequenceEndsTest : public ::testing::TestWithParam<Realign> {
protected:
    TAlignmentResult run(TAlignmentResult rows, const std::vector<std::string>& sequences) {
        TFastaDataSet data;
        for (std::size_t i = 0; i < sequences.size(); ++i) data.push_back({"s" + std::to_string(i), sequences[i]});
        GetParam()(rows, data, kRef.substr(0, referenceLength), "DNA");
        return rows;
    }
    std::size_t referenceLength = 60;
};

TEST_P(RealignSequenceEndsTest, EndTakesAnotherRowsPlacement) {
    const auto rows = run({rising(1, 25) + insertions(15), rising(1, 40)}, {kSeq, kSeq});
    EXPECT_EQ(rows[0], rising(1, 40));
    EXPECT_EQ(rows[1], rising(1, 40));
}

TEST_P(RealignSequenceEndsTest, SingleRowIsLeftAlone) {
    const auto rows = run({rising(1, 25) + insertions(15)}, {kSeq});
    EXPECT_EQ(rows[0], rising(1, 25) + insertions(15));
}

TEST_P(RealignSequenceEndsTest, EndNeedsThreeCharactersAfterTheRun) {
    EXPECT_EQ(run({rising(1, 38) + insertions(2), rising(1, 40)}, {kSeq, kSeq})[0], rising(1, 38) + insertions(2));
    EXPECT_EQ(run({rising(1, 37) + insertions(3), rising(1, 40)}, {kSeq, kSeq})[0], rising(1, 40));
}

TEST_P(RealignSequenceEndsTest, StartNeedsOnlyOneCharacterBeforeTheRun) {
    EXPECT_EQ(run({insertions(1) + rising(2, 39), rising(1, 40)}, {kSeq, kSeq})[0], rising(1, 40));
}

TEST_P(RealignSequenceEndsTest, CopiedInsertionAtTheEndTurnsTheRestIntoInsertions) {
    const auto rows = run({rising(1, 25) + insertions(15), rising(1, 29) + insertions(1)}, {kSeq, kSeq.substr(0, 30)});
    EXPECT_EQ(rows[0], rising(1, 29) + insertions(11));
}

TEST_P(RealignSequenceEndsTest, ContinuedPositionsNeverLeaveTheReference) {
    referenceLength = 40;
    const auto rows = run({rising(1, 25) + insertions(18), rising(1, 40)}, {kSeq + "GGG", kSeq});
    EXPECT_EQ(rows[0], rising(1, 40) + insertions(3));
}

TEST_P(RealignSequenceEndsTest, EndTieGoesToTheRowThatGoesOnLonger) {
    const Row withGap = rising(1, 35) + insertions(1) + rising(37, 4);
    const Row bad = rising(1, 25) + insertions(15);
    // The row with the gap is shorter after the compared stretch: not taken.
    EXPECT_EQ(run({bad, withGap, rising(1, 42)}, {kSeq, kSeq, kSeq + "AT"})[0], rising(1, 40));
    // The row with the gap goes on longer: taken.
    EXPECT_EQ(run({bad, withGap + rising(41, 2), rising(1, 40)}, {kSeq, kSeq + "AT", kSeq})[0], withGap);
    // A full tie: the earlier row.
    EXPECT_EQ(run({bad, withGap, rising(1, 40)}, {kSeq, kSeq, kSeq})[0], withGap);
}

TEST_P(RealignSequenceEndsTest, EndTieWithARowThatRanOutCountsNoElementsAfterIt) {
    // Both other rows agree for 16 characters.  The first runs out of
    // characters, the second differs at its last one: neither has an element
    // after the last compared pair, so the earlier row is copied.
    const Row bad = rising(1, 25) + insertions(15);
    const Row ranOut = rising(1, 20) + insertions(1) + rising(22, 9);
    const std::string differsAtItsEnd = kSeq.substr(0, 30) + "A";  // the reference has C there
    EXPECT_EQ(run({bad, ranOut, rising(1, 31)}, {kSeq, kSeq.substr(0, 30), differsAtItsEnd})[0],
              rising(1, 20) + insertions(1) + rising(22, 19));
}

TEST_P(RealignSequenceEndsTest, StartTieGoesToTheAnchorFurthestFromItsStart) {
    // Both other rows agree over the 15 characters from the anchor down to
    // element 0; the one with two more characters in front is copied.
    const Row bad = insertions(5) + rising(6, 35);
    const Row withGap = rising(1, 2) + insertions(1) + rising(4, 37);
    EXPECT_EQ(run({bad, withGap, insertions(2) + rising(1, 40)}, {kSeq, kSeq, "TT" + kSeq})[0], rising(1, 40));
    // Copied alone, the row with the gap passes its gap on; a copied -1 at
    // element 1 turns element 0 into an insertion too.
    EXPECT_EQ(run({bad, withGap}, {kSeq, kSeq})[0], withGap);
    const Row gapAtOne = rising(1, 1) + insertions(1) + rising(3, 38);
    EXPECT_EQ(run({bad, gapAtOne}, {kSeq, kSeq})[0], insertions(2) + rising(3, 38));
}

TEST_P(RealignSequenceEndsTest, RowDifferingNextToTheAnchorIsNeverCopied) {
    std::string differsBeforeAnchor = kSeq;
    differsBeforeAnchor[14] = differsBeforeAnchor[14] == 'A' ? 'C' : 'A';
    const Row bad = rising(1, 25) + insertions(15);
    EXPECT_EQ(run({bad, rising(1, 40)}, {kSeq, differsBeforeAnchor})[0], bad);
    std::string differsAtAnchor = kSeq;
    differsAtAnchor[14] = differsAtAnchor[14] == 'A' ? 'C' : 'A';
    const Row badStart = insertions(5) + rising(6, 35);  // anchor at element 14
    EXPECT_EQ(run({badStart, rising(1, 40)}, {kSeq, differsAtAnchor})[0], badStart);
}

TEST_P(RealignSequenceEndsTest, ACopyThatWouldBreakTheRisingPositionsIsNotMade) {
    // Positions 17-19 of the reference are CCC.  The second row lacks one C
    // of that run: before the anchor (position 19) it has position 17, which
    // the first row already holds one element earlier.  Its characters agree
    // to the end, but taking its placement would give ... 17, 17, 19 ...
    const Row bad = rising(1, 28) + insertions(12);
    const std::string shorter = kSeq.substr(0, 17) + kSeq.substr(18);
    const Row shorterRow = rising(1, 17) + rising(19, 22);
    EXPECT_EQ(run({bad, shorterRow}, {kSeq, shorter})[0], bad);
    // The same copy from a row with position 18 in its place is made.
    EXPECT_EQ(run({bad, rising(1, 40)}, {kSeq, kSeq})[0], rising(1, 40));
    // At the start: the row to copy from has two positions swapped within
    // the copied stretch.
    const Row badStart = insertions(5) + rising(6, 35);
    Row swapped = rising(1, 40);
    std::swap(swapped[2], swapped[3]);
    EXPECT_EQ(run({badStart, swapped}, {kSeq, kSeq})[0], badStart);
    // Swapped outside the copied stretch (element 0 is continued, not copied).
    Row swappedEarly = rising(1, 40);
    std::swap(swappedEarly[0], swappedEarly[20]);
    EXPECT_EQ(run({badStart, swappedEarly}, {kSeq, kSeq})[0], rising(1, 40));
    // A row whose own positions do not rise, copying from a row with the
    // same entries: the copy is refused all the same, so the entries past
    // its sequence are not continued.
    Row unordered = rising(1, 40) + insertions(5);
    std::swap(unordered[30], unordered[31]);
    EXPECT_EQ(run({unordered, unordered}, {kSeq, kSeq})[0], unordered);
}

TEST_P(RealignSequenceEndsTest, RowsWithoutSequencesAndEmptyRowsAreSafe) {
    TAlignmentResult rows{Row{}, rising(1, 40), rising(1, 25) + insertions(15)};
    TFastaDataSet data{{"empty", ""}, {"a", kSeq}};  // the third row has no element
    GetParam()(rows, data, kRef, "DNA");
    EXPECT_EQ(rows[0], Row{});
    EXPECT_EQ(rows[2], rising(1, 25) + insertions(15));
}

TEST_P(RealignSequenceEndsTest, ARowShorterThanItsSequenceHasNoCharactersPastItsEnd) {
    // The other row agrees with all 26 characters from the anchor on, but
    // has entries for only 6 of them: too few to copy, and nothing is read
    // past its end.
    const Row bad = rising(1, 25) + insertions(15);
    EXPECT_EQ(run({bad, rising(1, 20)}, {kSeq, kSeq})[0], bad);
}

INSTANTIATE_TEST_SUITE_P(BothVersions, RealignSequenceEndsTest,
                         ::testing::Values(&RealignSequenceEnds, &testing::StepByStepRealignSequenceEnds),
                         [](const ::testing::TestParamInfo<Realign>& info) {
                             return std::string(info.index == 0 ? "production" : "stepByStep");
                         });

}  // namespace
}  // namespace sequara
