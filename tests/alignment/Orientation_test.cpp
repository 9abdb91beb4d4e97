// Reverse complement and the choice between a sequence and its reverse
// complement.

#include "alignment/Orientation.h"
#include "alignment/PairwiseAligner.h"

#include <gtest/gtest.h>

namespace sequara {
namespace {

TEST(ReverseComplement, DnaComplementsFromLastToFirst) {
    EXPECT_EQ(ReverseComplement("ACGTN", "DNA"), "NACGT");
    EXPECT_EQ(ReverseComplement("GATTACA", "DNA"), "TGTAATC");
    EXPECT_EQ(ReverseComplement("RYMKHDVBWS-", "DNA"), "-SWVBHDMKRY");
    EXPECT_EQ(ReverseComplement("", "DNA"), "");
}

TEST(ReverseComplement, OtherDataTypesOnlyReverse) {
    EXPECT_EQ(ReverseComplement("MKVLA", "AMINO"), "ALVKM");
    EXPECT_EQ(ReverseComplement("ACGT", "dna"), "TGCA");  // the data type is compared exactly
}

TEST(OrientationMismatchCount, PlainComparisonAndInsertionsCount) {
    // N and R in the sequence differ from the reference letters; -1 counts.
    EXPECT_EQ(OrientationMismatchCount("ACGT", "ANRT", TAlignmentRow{1, 2, 3, 4}), 2);
    EXPECT_EQ(OrientationMismatchCount("ACGT", "ACGT", TAlignmentRow{1, 2, -1, 4}), 1);
}

// An aligner that hands out prepared rows, to steer the mismatch counts.
SequenceAligner scripted(std::vector<TAlignmentRow> rows) {
    auto queue = std::make_shared<std::vector<TAlignmentRow>>(std::move(rows));
    return [queue](const std::string&, TAlignmentRow& row) {
        row = queue->front();
        queue->erase(queue->begin());
    };
}

TEST(AlignBestOrientation, ReverseWinsOnlyWhenForwardFitsPoorly) {
    const std::string ref(20, 'T');
    const std::string seq(25, 'A');  // its reverse complement is 25 T
    TAlignmentRow forwardRow(25, 1);  // A against T everywhere: 25 mismatches
    TAlignmentRow reverseRow(25, 1);  // T against T, two insertions: 2 mismatches
    reverseRow[0] = reverseRow[1] = -1;
    bool reversed = false;
    std::string oriented;
    TAlignmentRow row;
    AlignBestOrientation(ref, seq, row, "DNA", scripted({forwardRow, reverseRow}), reversed, oriented);
    EXPECT_TRUE(reversed);
    EXPECT_EQ(oriented, std::string(25, 'T'));
    EXPECT_EQ(row, reverseRow);  // the row holds the reverse complement's alignment
}

TEST(AlignBestOrientation, FewForwardMismatchesOrEqualCountsKeepTheOrientation) {
    const std::string ref(30, 'A');
    const std::string seq(30, 'A');
    bool reversed = true;
    std::string oriented;
    TAlignmentRow row;
    TAlignmentRow fwd(30, 1), rev(30, 1);
    // 3 forward mismatches in 30 characters is not more than a tenth; the
    // reverse complement (all T) mismatches everywhere anyway.
    fwd[0] = fwd[1] = fwd[2] = -1;
    AlignBestOrientation(ref, seq, row, "DNA", scripted({fwd, rev}), reversed, oriented);
    EXPECT_FALSE(reversed);
    EXPECT_EQ(oriented, seq);
    // 4 of 30 is more than a tenth, but equal counts keep the orientation.
    const std::string refT(30, 'T');
    TAlignmentRow fwd4(30, 1), rev4(30, 1);
    for (int i = 0; i < 4; ++i) fwd4[static_cast<std::size_t>(i)] = -1;  // 30 mismatches (A against T)
    for (int i = 0; i < 30; ++i) rev4[static_cast<std::size_t>(i)] = -1;  // 30 insertions
    AlignBestOrientation(refT, seq, row, "DNA", scripted({fwd4, rev4}), reversed, oriented);
    EXPECT_FALSE(reversed);
}

TEST(AlignBestOrientation, ExactlyATenthMismatchedKeepsTheOrientation) {
    // The reference holds n A then n T: the forward rows point into the A,
    // the reverse rows (the reverse complement is n T) into the T, so the
    // reverse complement always fits better.  Only the forward count decides.
    struct Case {
        int length;
        int forwardMismatches;
        bool reversed;
    };
    for (const Case c : {Case{30, 3, false}, Case{29, 3, true}, Case{30, 4, true}, Case{10, 1, false}}) {
        const auto n = static_cast<std::size_t>(c.length);
        const std::string ref = std::string(n, 'A') + std::string(n, 'T');
        TAlignmentRow fwd(n), rev(n);
        for (int i = 0; i < c.length; ++i) {
            fwd[static_cast<std::size_t>(i)] = i < c.forwardMismatches ? -1 : i + 1;
            rev[static_cast<std::size_t>(i)] = c.length + i + 1;
        }
        bool reversed = !c.reversed;
        std::string oriented;
        TAlignmentRow row;
        AlignBestOrientation(ref, std::string(n, 'A'), row, "DNA", scripted({fwd, rev}), reversed, oriented);
        EXPECT_EQ(reversed, c.reversed) << c.forwardMismatches << " of " << c.length;
    }
}

TEST(AlignBestOrientation, RealAlignmentChoosesTheReverseComplement) {
    const std::string ref = "GATCACAGGTCTATCACCCTATTAACCACTCACGGGAGCTCTCCATGCATTTGGTATTTT";
    const std::string stretch = ref.substr(5, 40);
    const std::string seq = ReverseComplement(stretch, "DNA");
    const PairwiseAligner aligner(ref, "DNA", 4);
    bool reversed = false;
    std::string oriented;
    TAlignmentRow row;
    AlignBestOrientation(aligner, seq, row, 15, reversed, oriented);
    EXPECT_TRUE(reversed);
    EXPECT_EQ(oriented, stretch);
    ASSERT_EQ(row.size(), 40u);
    EXPECT_EQ(row.front(), 6);
    EXPECT_EQ(row.back(), 45);
    // Aligned again, the oriented sequence keeps its orientation.
    AlignBestOrientation(aligner, stretch, row, 15, reversed, oriented);
    EXPECT_FALSE(reversed);
    // Under AMINO the alternative is the plain reversal.
    const PairwiseAligner amino("MKVLAWQERTY", "AMINO", 3);
    AlignBestOrientation(amino, "YTREQWALVKM", row, 15, reversed, oriented);
    EXPECT_TRUE(reversed);
    EXPECT_EQ(oriented, "MKVLAWQERTY");
}

TEST(AlignBestOrientation, EmptySequence) {
    const PairwiseAligner aligner("ACGT", "DNA", 4);
    bool reversed = true;
    std::string oriented = "x";
    TAlignmentRow row;
    AlignBestOrientation(aligner, "", row, 15, reversed, oriented);
    EXPECT_FALSE(reversed);
    EXPECT_EQ(oriented, "");
    EXPECT_TRUE(row.empty());
}

}  // namespace
}  // namespace sequara
