// The column layout of an automatic alignment: hand-checked small cases, the
// plain lookups, and the fast builder against the grid filling built on them.
#include "alignment/ColumnModel.h"
#include "tests/support/ColumnModelOracle.h"

#include <gtest/gtest.h>

#include <random>

namespace sequara {
namespace {

TFastaDataSet Sequences(std::initializer_list<std::string> texts) {
    TFastaDataSet out;
    int i = 0;
    for (const auto& t : texts) out.push_back({"s" + std::to_string(++i), t});
    return out;
}

TEST(ColumnModel, WithoutInsertionsEveryCharacterSitsUnderItsPosition) {
    TAlignmentResult rows{{1, 2, 4}, {2, 3}};
    auto data = Sequences({"ACT", "CG"});
    TAlignedColumns c = BuildAlignedColumns(rows, data, "ACGT", {});
    EXPECT_EQ(c.ReferenceRow, "ACGT");
    EXPECT_EQ(c.Rows[0], "AC-T");
    EXPECT_EQ(c.Rows[1], "-CG-");
    ASSERT_EQ(c.Labels.size(), 4u);
    EXPECT_EQ(c.Labels[0].str(), "1");
    EXPECT_EQ(c.Labels[3].str(), "4");
    EXPECT_EQ(c.RepairedRows, 0);
}

TEST(ColumnModel, InsertionsAfterAPositionAreLeftAligned) {
    TAlignmentResult rows{{5, -1, -1, 6}, {5, 6}};
    auto data = Sequences({"AXYC", "AC"});
    const std::string ref = "GGGGAC";
    EXPECT_EQ(oracle::AlignmentColumnCount(rows, ref), 8);
    EXPECT_EQ(CountAlignmentColumns(rows, data, ref), 8);
    TAlignedColumns c = BuildAlignedColumns(rows, data, ref, {});
    EXPECT_EQ(c.ReferenceRow, "GGGGA--C");
    EXPECT_EQ(c.Rows[0], "----AXYC");
    EXPECT_EQ(c.Rows[1], "----A--C");
    EXPECT_TRUE(c.Labels[5].empty());
    EXPECT_TRUE(c.Labels[6].empty());
    EXPECT_EQ(c.Labels[7].str(), "6");
}

TEST(ColumnModel, LeadingInsertionsAreRightAligned) {
    TAlignmentResult rows{{-1, -1, 1}, {-1, 1}};
    auto data = Sequences({"XYA", "ZA"});
    TAlignedColumns c = BuildAlignedColumns(rows, data, "AC", {});
    EXPECT_EQ(c.ReferenceRow, "--AC");
    EXPECT_EQ(c.Rows[0], "XYA-");
    EXPECT_EQ(c.Rows[1], "-ZA-");
    EXPECT_EQ(oracle::MaxLeadingInsertions(rows), 2);
    EXPECT_EQ(oracle::MaxLeadingInsertions({}), 0);
}

TEST(ColumnModel, GapCharacterPlacedAtAPositionShowsAsGap) {
    TAlignmentResult rows{{1, 2, 3}};
    auto data = Sequences({"A-G"});
    EXPECT_EQ(oracle::AlignedCharAt(0, "A-G", rows, 2), '-');
    EXPECT_EQ(BuildAlignedColumns(rows, data, "ACG", {}).Rows[0], "A-G");
}

TEST(ColumnModel, InsertedCharAtBeyondTheRunIsABlank) {
    TAlignmentResult rows{{1, -1, 2}};
    EXPECT_EQ(oracle::InsertedCharAt(1, 0, 1, rows, "AXC"), 'X');
    EXPECT_EQ(oracle::InsertedCharAt(1, 0, 2, rows, "AXC"), ' ');
    EXPECT_EQ(oracle::InsertedCharAt(3, 0, 1, rows, "AXC"), ' ');
}

TEST(ColumnModel, LabelsComeFromTheNamesThenFromThePositionAndShowFiveCharacters) {
    TCharacterName names{"16024", "ABCDEFG"};
    TAlignmentResult rows{{1, 2, 3}};
    auto data = Sequences({"ACG"});
    TAlignedColumns c = BuildAlignedColumns(rows, data, "ACG", names);
    EXPECT_EQ(c.Labels[0].str(), "16024");
    EXPECT_EQ(c.Labels[1].str(), "ABCDE");
    EXPECT_EQ(c.Labels[2].str(), "3");
    EXPECT_EQ(GetNumberingLabel(names, 2), "ABCDEFG");
    EXPECT_EQ(GetNumberingLabel({}, 123456), "123456");
}

TEST(ColumnModel, EdgeShapes) {
    // No rows, an empty sequence, a row of insertions only, an empty reference.
    EXPECT_EQ(BuildAlignedColumns({}, {}, "ACG", {}).ReferenceRow, "ACG");
    TAlignmentResult rows{{}, {-1, -1}};
    auto data = Sequences({"", "XY"});
    TAlignedColumns c = BuildAlignedColumns(rows, data, "AC", {});
    EXPECT_EQ(c.ReferenceRow, "--AC");
    EXPECT_EQ(c.Rows[0], "----");
    EXPECT_EQ(c.Rows[1], "XY--");
    EXPECT_EQ(oracle::GenerateColumnsByLookups(rows, data, "AC", {}).Rows, c.Rows);
    TAlignedColumns e = BuildAlignedColumns({{-1}}, Sequences({"X"}), "", {});
    EXPECT_EQ(e.ReferenceRow, "-");
    EXPECT_EQ(e.Rows[0], "X");
}

// Rows outside the aligner's promise keep every character: 0 entries, entries
// beyond the reference, falling entries and missing or short rows are read as
// insertions.
TEST(ColumnModel, MalformedRowsLoseNoCharacter) {
    TAlignmentResult rows{{0, 2, 9, 1, 3}, {1}};
    auto data = Sequences({"ABCDE", "XYZ"});
    TAlignedColumns c = BuildAlignedColumns(rows, data, "ACG", {});
    EXPECT_EQ(c.RepairedRows, 2);
    EXPECT_EQ(c.ReferenceRow, "-A--C--G");
    EXPECT_EQ(c.Rows[0], "A---BCDE");
    EXPECT_EQ(c.Rows[1], "-XYZ----");
    EXPECT_EQ(CountAlignmentColumns(rows, data, "ACG"), 8);
}

// Random rows as the aligner produces them: positions strictly rising, runs
// of insertions anywhere, sequences with gaps and IUPAC codes.
struct RandomAlignment {
    std::string reference;
    TFastaDataSet data;
    TAlignmentResult rows;
    TCharacterName names;
};

RandomAlignment MakeRandomAlignment(std::mt19937& rng) {
    const char alphabet[] = "ACGTACGTACGTNRY-";
    RandomAlignment a;
    const int m = std::uniform_int_distribution<int>(0, 40)(rng);
    for (int k = 0; k < m; ++k) a.reference += alphabet[rng() % 4];
    if (rng() % 2)
        for (int k = 0; k < m - int(rng() % 3); ++k) a.names.push_back(std::to_string(16000 + k * 7));
    const int n = std::uniform_int_distribution<int>(0, 8)(rng);
    for (int g = 0; g < n; ++g) {
        TAlignmentRow row;
        std::string seq;
        auto insert = [&](int count) {
            for (int i = 0; i < count; ++i) {
                row.push_back(-1);
                seq += alphabet[rng() % 16];
            }
        };
        if (rng() % 3 == 0) insert(int(rng() % 4));
        int k = int(rng() % 5);
        while (true) {
            k += 1 + int(rng() % 3 == 0 ? rng() % 4 : 0);
            if (k > m || rng() % 40 == 0) break;
            row.push_back(k);
            seq += alphabet[rng() % 16];
            if (rng() % 5 == 0) insert(1 + int(rng() % 3));
        }
        a.rows.push_back(row);
        a.data.push_back({"s" + std::to_string(g), seq});
    }
    return a;
}

TEST(ColumnModel, FastBuilderEqualsTheLookupFillingOnRandomAlignments) {
    std::mt19937 rng(20261207);
    for (int trial = 0; trial < 3000; ++trial) {
        RandomAlignment a = MakeRandomAlignment(rng);
        TAlignedColumns fast = BuildAlignedColumns(a.rows, a.data, a.reference, a.names);
        TAlignedColumns slow = oracle::GenerateColumnsByLookups(a.rows, a.data, a.reference, a.names);
        ASSERT_EQ(fast.ReferenceRow, slow.ReferenceRow) << "trial " << trial;
        ASSERT_EQ(fast.Rows, slow.Rows) << "trial " << trial;
        ASSERT_EQ(fast.Labels, slow.Labels) << "trial " << trial;
        ASSERT_EQ(fast.RepairedRows, 0);
        ASSERT_EQ(CountAlignmentColumns(a.rows, a.data, a.reference),
                  oracle::AlignmentColumnCount(a.rows, a.reference));
        // Every character lands once: the rows read without gaps give the
        // sequences read without gaps.
        for (std::size_t g = 0; g < a.data.size(); ++g) {
            std::string shown, original;
            for (char ch : fast.Rows[g]) if (ch != '-') shown += ch;
            for (char ch : a.data[g].Sequence) if (ch != '-') original += ch;
            ASSERT_EQ(shown, original);
        }
    }
}

}  // namespace
}  // namespace sequara
