#include "editor/writers/AlignmentInput.h"
#include "editor/writers/ColumnPositions.h"
#include "editor/writers/SaveProgress.h"
#include "editor/writers/VaryingColumns.h"
#include "tests/support/ColumnPositionsOracle.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace sequara {
namespace {

TCharacterName Labels(std::initializer_list<const char*> texts) {
    TCharacterName labels;
    for (const char* t : texts) labels.emplace_back(t);
    return labels;
}

// "p u l" per column: position and the two flags after the call, flags
// starting as given (so that a -1 shows that they were left alone).
std::string PositionDump(const TCharacterName& labels, std::int64_t columns, bool flagsBefore) {
    const PositionTable table(labels);
    std::ostringstream dump;
    for (std::int64_t k = 0; k <= columns; ++k) {
        bool upper = flagsBefore, lower = flagsBefore;
        std::int32_t p = 0;
        ColumnPositionNumber(upper, lower, k, table, p, kUpperRangeMin, kUpperRangeMax, kLowerRangeMin,
                             kLowerRangeMax);
        dump << p << (upper ? "U" : "") << (lower ? "L" : "") << ' ';
    }
    return dump.str();
}

TEST(ColumnPositionNumber, NumbersLabelledAndBorrowingColumns) {
    // Column 0 and the column past the labels have no position.
    EXPECT_EQ(PositionDump(Labels({"16519", "12a3", "", "x"}), 5, false), "-1 16519U 123L -1 -1 -1 ");
    EXPECT_EQ(PositionDump(Labels({"100", "", "101", "", "103"}), 5, false), "-1 100L 101L 101L -1 103L ");
    EXPECT_EQ(PositionDump(Labels({"", "16569", "", "", "1", "2"}), 6, false), "-1 -1 16569U 1L 1L 1L 2L ");
    // Flags are kept where there is no position, reset where there is one.
    EXPECT_EQ(PositionDump(Labels({"", "15996", "15995", "99999", "100000", "0"}), 7, true),
              "-1UL -1UL 15996U 15995L 99999U 100000 0 -1UL ");
    // Ten digits that exceed a 32-bit integer are no number; leading zeros count.
    EXPECT_EQ(PositionDump(Labels({"2147483648", "0000000007", "2147483647"}), 3, false), "-1 -1 7L 2147483647 ");
    // Padded header labels read as their digits.
    EXPECT_EQ(PositionDump(Labels({"73   ", "     ", "74   "}), 3, false), "-1 73L 74L 74L ");
}

TEST(ColumnPositionNumber, OnePassTableAgreesWithTheStepByStepScanOnRandomLabels) {
    std::mt19937 random(20261207);
    const char* kinds[] = {"", "", "     ", "x", "12a", "0", "2147483648"};
    for (int trial = 0; trial < 300; ++trial) {
        TCharacterName labels;
        std::int32_t next = static_cast<std::int32_t>(random() % 20000);
        const int n = static_cast<int>(random() % 40);
        for (int i = 0; i < n; ++i) {
            const unsigned r = random() % 10;
            if (r < 5) {
                labels.emplace_back(std::to_string(next));
                next += static_cast<std::int32_t>(random() % 3);   // steps 0, 1 and 2
            } else if (r == 5) {
                next = 1;                                            // the numbering restarts
                labels.emplace_back("1");
            } else {
                labels.emplace_back(kinds[random() % std::size(kinds)]);
            }
        }
        const PositionTable table(labels);
        for (std::int64_t k = -1; k <= n + 2; ++k) {
            bool u1 = (k & 1) != 0, l1 = (k & 2) != 0, u2 = u1, l2 = l1;
            std::int32_t p1 = 0, p2 = 0;
            ColumnPositionNumber(u1, l1, k, table, p1, 50, 15000, 3, 99);
            testing::StepByStepColumnPositionNumber(u2, l2, k, labels, p2, 50, 15000, 3, 99);
            ASSERT_EQ(p1, p2) << "trial " << trial << " column " << k;
            ASSERT_EQ(u1, u2) << "trial " << trial << " column " << k;
            ASSERT_EQ(l1, l2) << "trial " << trial << " column " << k;
            ASSERT_EQ(table.Number(k), testing::StepByStepLabelNumber(labels, k));
        }
    }
}

TEST(FindSequenceRange, UsesLabelNumbersOfNonGapColumnsInsideTheRange) {
    const TCharacterName labels = Labels({"16001", "", "16002", "1", "2", "x3", "15996"});
    const PositionTable table(labels);
    struct Case { const char* row; std::int32_t lo, hi, min, max; };
    const Case cases[] = {
        {"AAAAAAA", 15996, 99999, 15996, 16002},
        {"-A-----", 15996, 99999, 99999, 15996},   // an unlabelled column never counts
        {"A------", 15996, 99999, 16001, 16001},
        {"--A-AA-", -1, 15995, 2, 3},               // "x3" counts as 3
        {"-------", -1, 15995, 15995, -1},          // nothing: minimum above maximum
        {"AAAAAA", 15996, 99999, 16001, 16002},     // a short row reads as gaps past its end
        {"", -1, 15995, 15995, -1},
    };
    for (const Case& c : cases) {
        std::int32_t min = 0, max = 0;
        FindSequenceRange(c.row, table, c.lo, c.hi, min, max);
        EXPECT_EQ(std::to_string(min) + ".." + std::to_string(max), std::to_string(c.min) + ".." + std::to_string(c.max))
            << c.row;
    }
}

TEST(TrimGapEnds, FirstAndLastNonGap) {
    std::int64_t first = 0, last = 0;
    TrimGapEnds("--A-C--", first, last);
    EXPECT_EQ(std::make_pair(first, last), std::make_pair(std::int64_t{3}, std::int64_t{5}));
    TrimGapEnds("---", first, last);
    EXPECT_EQ(std::make_pair(first, last), std::make_pair(std::int64_t{4}, std::int64_t{0}));
    TrimGapEnds("", first, last);
    EXPECT_EQ(std::make_pair(first, last), std::make_pair(std::int64_t{1}, std::int64_t{0}));
    TrimGapEnds("N", first, last);
    EXPECT_EQ(std::make_pair(first, last), std::make_pair(std::int64_t{1}, std::int64_t{1}));
}

// "v" for each of the columns 0..last that the writers find varying, "." for the others.
std::string VaryingDump(const AlignmentInput& input, const TActiveMinMax& ranges, std::int64_t last) {
    const WriterInput writerInput(input);
    NoSaveProgress progress;
    std::string dump(static_cast<std::size_t>(last + 1), '.');
    for (const VaryingColumn& v : FindVaryingColumns(writerInput, ranges, progress)) dump[v.Column] = 'v';
    return dump;
}

TEST(ColumnVaries, OnlyDifferencesInsideARowsOwnSequencedPart) {
    // Columns 16001..16004, an inserted column, then 1..3.
    const TCharacterName labels = Labels({"16001", "16002", "16003", "16004", "", "1", "2", "3"});
    const TFastaSequence reference{"ref", "ACGT-ACG"};
    const TFastaDataSet rows = {
        {"S1", "-GTT-A--"},   // upper part 16002..16004, lower part 1 only
        {"S2", "--GTCAT-"},   // upper 16003..16004, lower 1..2 (and an inserted C)
    };
    const DataSetAlignmentInput input(reference, labels, rows, "DNA");
    const PositionTable table(labels);
    const TActiveMinMax ranges = FindActiveRanges(input, table);
    ASSERT_EQ(ranges.size(), 2u);
    EXPECT_EQ(ranges[0], (ActiveMinMax{16002, 16004, 1, 1}));
    EXPECT_EQ(ranges[1], (ActiveMinMax{16003, 16004, 1, 2}));
    const std::string varies = VaryingDump(input, ranges, 9);
    // Column 1: both gaps, outside both rows' parts.  Columns 2 and 3: S1
    // differs at the first position of its part and inside it.  Column 5: inserted C at position 1, inside S2's part.
    // Column 7: S1 has "-" outside its lower part, S2 has T inside its own.
    // Column 8: both differ outside their parts.
    EXPECT_EQ(varies, "..vv.v.v..");
}

TEST(ColumnVaries, AColumnWithoutPositionNeverVaries) {
    const TCharacterName labels = Labels({"10", "", "13"});
    const TFastaSequence reference{"ref", "AAA"};
    const TFastaDataSet rows = {{"S", "CCC"}};
    const DataSetAlignmentInput input(reference, labels, rows, "DNA");
    const PositionTable table(labels);
    const TActiveMinMax ranges = FindActiveRanges(input, table);
    EXPECT_EQ(VaryingDump(input, ranges, 2), ".v.");
}

std::string SiteDump(const MutationList& m) {
    std::string out = "I:";
    for (int i = 0; i < m.HVSI_Anz; ++i) out += " " + m.HVSI_site[i];
    out += " II:";
    for (int i = 0; i < m.HVSII_Anz; ++i) out += " " + m.HVSII_site[i];
    return out + (m.Overflow ? " overflow" : "");
}

TEST(BuildMutationList, SubstitutionsDeletionsAndInsertionRuns) {
    const TCharacterName labels = Labels({"16519", "16520", "", "249", "315", "", "", "", "316", ""});
    const PositionTable table(labels);
    const std::string reference = "TA-AC---CG";
    MutationList m;
    m.Overflow = true;  // starts afresh
    // 16519.C; an inserted "-" gives nothing; 249.- a deletion; three inserted
    // columns after 315 with "-" first: one run 315.1G 315.2T; the last
    // column is unlabelled after 316: no position, no site.
    BuildMutationList("CA--C-GTCA", reference, table, 15996, 99999, 1, 15995, m);
    EXPECT_EQ(SiteDump(m), "I: 16519.C II: 249.- 315.1G 315.2T");
    // A run of inserted characters right after a labelled position counts from 1.
    BuildMutationList("TA-ACAAACG", reference, table, 15996, 99999, 1, 15995, m);
    EXPECT_EQ(SiteDump(m), "I: II: 315.1A 315.2A 315.3A");
    // The bounds are the row's own stretches: a difference outside them is dropped.
    BuildMutationList("CG-ACTTTCG", reference, table, 16520, 16520, 1, 300, m);
    EXPECT_EQ(SiteDump(m), "I: 16520.G II:");
    // A gap inside the inserted columns is not counted: the run goes on.
    const PositionTable after315(Labels({"315", "", "", "", "316"}));
    BuildMutationList("CC-GC", "C---C", after315, 15996, 99999, 1, 15995, m);
    EXPECT_EQ(SiteDump(m), "I: II: 315.1C 315.2G");
    // Inserted columns take the next position: the run of position 316
    // (columns 2 and 3) ends where the next column's position is 317.
    const PositionTable pastNext(Labels({"315", "", "316", "317"}));
    BuildMutationList("CAGT", "C---", pastNext, 15996, 99999, 1, 15995, m);
    EXPECT_EQ(SiteDump(m), "I: II: 315.1A 315.2G 316.1T");
}

TEST(BuildMutationList, TwentyOneUpperSitesFitTheTwentySecondOverflowsAndSitesAreCut) {
    TCharacterName labels;
    std::string reference, row;
    for (int i = 0; i < 30; ++i) {
        labels.emplace_back(std::to_string(16100 + i));
        reference += 'A';
        row += i < 21 ? 'G' : 'A';
    }
    const PositionTable table(labels);
    MutationList m;
    BuildMutationList(row, reference, table, 15996, 99999, 1, 15995, m);
    EXPECT_EQ(m.HVSI_Anz, 21);
    EXPECT_FALSE(m.Overflow);
    EXPECT_EQ(m.HVSI_site[20], "16120.G");
    row[21] = 'T';
    BuildMutationList(row, reference, table, 15996, 99999, 1, 15995, m);
    EXPECT_EQ(m.HVSI_Anz, 21);
    EXPECT_TRUE(m.Overflow);
    EXPECT_EQ(m.HVSI_site[20], "16120.G");
    // Long sites are cut to 9 (upper) and 7 (lower) characters.
    // A site in both ranges goes into both lists.
    const TCharacterName wide = Labels({"1234567", "", "1234568"});
    const PositionTable wideTable(wide);
    BuildMutationList("AGA", "A-A", wideTable, 1, 2147483647, 1, 2147483647, m);
    EXPECT_EQ(SiteDump(m), "I: 1234567.1 II: 1234567");
}

}  // namespace
}  // namespace sequara
